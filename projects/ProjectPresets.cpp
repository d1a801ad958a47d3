#include "ProjectPresets.h"

#include "FolderPath.h"
#include "RegistryHive.h"

namespace {

const QString harvik = QStringLiteral("\\Software\\Harvik Software");
const QString appPath = QStringLiteral("AppPath");
const QString languages = QStringLiteral("Languages");

ProjectPreset custom() {
    return {QStringLiteral("Custom project"), QStringLiteral("ini"), {}, {}, {}, {}, {}, {}, {}};
}

} // namespace

ProjectPreset ProjectPresets::preset(Product product) {
    switch (product) {
    case Product::Tolvane:
        return {QStringLiteral("Tolvane"),
                QStringLiteral("tvl"),
                harvik + QStringLiteral("\\Editors\\Tolvane"),
                appPath,
                languages,
                {},
                {},
                {},
                {}};
    case Product::Corvina:
        return {QStringLiteral("Corvina"),
                QStringLiteral("cvl"),
                harvik + QStringLiteral("\\Analysis tools\\Corvina"),
                appPath,
                languages,
                {},
                {},
                {},
                {}};
    case Product::Mirabel:
        return {QStringLiteral("Mirabel"),
                QStringLiteral("mbl"),
                harvik + QStringLiteral("\\Analysis tools\\Mirabel"),
                appPath,
                languages,
                {},
                {},
                {},
                {}};
    case Product::Wardlock: {
        const QString key = harvik + QStringLiteral("\\Wardlock");
        return {QStringLiteral("Wardlock"),
                QStringLiteral("wdl"),
                key,
                QStringLiteral("Path"),
                languages,
                QStringLiteral("nfo"),
                key,
                QStringLiteral("Path"),
                QStringLiteral("Includes")};
    }
    case Product::Custom:
    case Product::AddProject:
        break;
    }
    return custom();
}

QString ProjectPresets::lookUpFolder(const RegistryHive& hive, const QString& key, const QString& value,
                                     const QString& subFolder) {
    if (key.isEmpty()) {
        return {};
    }
    const QString folder = hive.readString(key, value).value_or(QString());
    if (folder.isEmpty()) {
        return {};
    }
    const QString base = FolderPath::withSeparator(folder);
    return subFolder.isEmpty() ? base : FolderPath::withSeparator(base + subFolder);
}

QString ProjectPresets::languageFolder(const RegistryHive& hive, const ProjectPreset& preset) {
    return lookUpFolder(hive, preset.languageKey, preset.languageValue, preset.languageSubFolder);
}

QString ProjectPresets::specialFolder(const RegistryHive& hive, const ProjectPreset& preset) {
    return lookUpFolder(hive, preset.specialKey, preset.specialValue, preset.specialSubFolder);
}
