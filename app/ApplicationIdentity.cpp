#include "ApplicationIdentity.h"

#include <QCoreApplication>

namespace ApplicationIdentity {

void apply() {
    QCoreApplication::setApplicationName(QStringLiteral("Tolvane"));
}

} // namespace ApplicationIdentity
