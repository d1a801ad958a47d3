#pragma once

#include <QString>

class RegistryHive;

// One known product (or the custom choice) from which a project is made. Every settings key
// lies below HKEY_CURRENT_USER; an empty key means no look-up.
struct ProjectPreset {
    QString name;
    QString extension;
    QString languageKey;
    QString languageValue;
    QString languageSubFolder;
    QString specialExtension;
    QString specialKey;
    QString specialValue;
    QString specialSubFolder;
};

class ProjectPresets {
public:
    enum class Product { Tolvane, Corvina, Mirabel, Wardlock, Custom, AddProject };

    static ProjectPreset preset(Product product);

    // The product's folder from its settings (ending in the separator), followed by subFolder
    // and the separator when subFolder is non-empty; empty when the key or value is missing.
    static QString lookUpFolder(const RegistryHive& hive, const QString& key, const QString& value,
                                const QString& subFolder);
    static QString languageFolder(const RegistryHive& hive, const ProjectPreset& preset);
    static QString specialFolder(const RegistryHive& hive, const ProjectPreset& preset);
};
