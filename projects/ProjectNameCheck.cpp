#include "ProjectNameCheck.h"

namespace {

bool taken(const QString& name, const QStringList& existing, const QString& except) {
    for (const QString& other : existing) {
        if (other.compare(name, Qt::CaseInsensitive) == 0 && other.compare(except, Qt::CaseInsensitive) != 0) {
            return true;
        }
    }
    return false;
}

} // namespace

QString ProjectNameCheck::separatorRefusal(const QString& name) {
    if (name.contains(QLatin1Char('\\'))) {
        return QStringLiteral("A project name cannot contain the character \"\\\".");
    }
    return {};
}

QString ProjectNameCheck::refusalForNew(const QString& name, const QStringList& existing) {
    return refusalForRename(QString(), name, existing);
}

QString ProjectNameCheck::refusalForRename(const QString& oldName, const QString& newName,
                                           const QStringList& existing) {
    if (newName.isEmpty()) {
        return QStringLiteral("Please enter a project name.");
    }
    const QString separator = separatorRefusal(newName);
    if (!separator.isEmpty()) {
        return separator;
    }
    if (taken(newName, existing, oldName)) {
        return QStringLiteral("A project named \"%1\" already exists.").arg(newName);
    }
    return {};
}
