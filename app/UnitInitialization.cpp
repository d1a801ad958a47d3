#include "UnitInitialization.h"

#include "DebugLog.h"

void UnitInitialization::run() {
    DebugOutput(QStringLiteral("Initialization: BrowseDr"));
    DebugOutput(QStringLiteral("Initialization: nvMisc"));
    DebugOutput(QStringLiteral("Initialization: nvTranslator"));
}
