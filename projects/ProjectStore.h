#pragma once

#include <QString>
#include <QStringList>

#include <optional>

class RegistryHive;

// What a project key holds; a special value is nullopt when the key lacks it.
struct ProjectSettings {
    QString path;
    QString extension;
    std::optional<QString> specialPath;
    std::optional<QString> specialExtension;
    QString reference;
    QString source;
    QString destination;

    bool hasSpecialFiles() const { return specialPath.has_value() && specialExtension.has_value(); }
};

// The projects in the registry: one key per project below the projects key. An empty
// project name stands for "no project": nothing is read or written for it.
class ProjectStore {
public:
    // The subkey "Projects" of the program's own key.
    static const QString projectsKey;

    static const QString valuePath;
    static const QString valueExtension;
    static const QString valueSpecialPath;
    static const QString valueSpecialExtension;
    static const QString valueReference;
    static const QString valueSource;
    static const QString valueDestination;

    explicit ProjectStore(RegistryHive& hive);

    RegistryHive& hive() const { return m_hive; }

    static QString projectKey(const QString& name);

    // Creates the projects key when it is missing; names in the registry's order.
    QStringList names();
    bool exists(const QString& name) const;
    bool create(const QString& name);
    bool remove(const QString& name);
    // True when the key now carries newName. A change of letter case alone renames too.
    bool rename(const QString& oldName, const QString& newName);

    // nullopt when there is no such project.
    std::optional<ProjectSettings> load(const QString& name) const;
    std::optional<QString> readValue(const QString& name, const QString& valueName) const;
    // Never creates a project key.
    bool writeValue(const QString& name, const QString& valueName, const QString& text);

private:
    RegistryHive& m_hive;
};
