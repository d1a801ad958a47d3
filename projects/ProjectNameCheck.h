#pragma once

#include <QString>
#include <QStringList>

// Whether a name can become a project's name among the listed ones. The refusal is the text
// shown to the user; empty means the name is acceptable.
class ProjectNameCheck {
public:
    // A project key's name cannot hold the registry's key separator.
    static QString separatorRefusal(const QString& name);
    // A new project: non-empty, no separator, unlike every listed name ignoring case.
    static QString refusalForNew(const QString& name, const QStringList& existing);
    // A rename of oldName: as for a new one, except that oldName itself (in any case) is free.
    static QString refusalForRename(const QString& oldName, const QString& newName, const QStringList& existing);
};
