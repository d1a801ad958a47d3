#include "DebugLog.h"

Q_LOGGING_CATEGORY(lcDebugOutput, "tolvane.debug")

void DebugOutput(const QString& line) {
    qCDebug(lcDebugOutput).noquote() << line;
}
