#include "ProgramSettings.h"

const QString ProgramSettings::key = QStringLiteral("\\Software\\Harvik Software\\Editors\\Tolvane");
const QString ProgramSettings::valueAppPath = QStringLiteral("AppPath");
const QString ProgramSettings::valueLanguage = QStringLiteral("Language");
