#pragma once

#include <QString>

// The program's own key in the current user's registry and the values it keeps there; the
// projects live in its subkey "Projects" (ProjectStore).
namespace ProgramSettings {

extern const QString key;
extern const QString valueAppPath;
extern const QString valueLanguage;

} // namespace ProgramSettings
