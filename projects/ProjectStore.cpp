#include "ProjectStore.h"

#include "RegistryHive.h"

const QString ProjectStore::projectsKey = QStringLiteral("\\Software\\Harvik Software\\Editors\\Tolvane\\Projects");

const QString ProjectStore::valuePath = QStringLiteral("Path");
const QString ProjectStore::valueExtension = QStringLiteral("Extension");
const QString ProjectStore::valueSpecialPath = QStringLiteral("SpecialPath");
const QString ProjectStore::valueSpecialExtension = QStringLiteral("SpecialExtension");
const QString ProjectStore::valueReference = QStringLiteral("Ref");
const QString ProjectStore::valueSource = QStringLiteral("Source");
const QString ProjectStore::valueDestination = QStringLiteral("Destination");

ProjectStore::ProjectStore(RegistryHive& hive) : m_hive(hive) {}

QString ProjectStore::projectKey(const QString& name) {
    return projectsKey + QLatin1Char('\\') + name;
}

QStringList ProjectStore::names() {
    if (!m_hive.createKey(projectsKey)) {
        return {};
    }
    return m_hive.subKeys(projectsKey);
}

bool ProjectStore::exists(const QString& name) const {
    return !name.isEmpty() && m_hive.keyExists(projectKey(name));
}

bool ProjectStore::create(const QString& name) {
    return !name.isEmpty() && m_hive.createKey(projectKey(name));
}

bool ProjectStore::remove(const QString& name) {
    return !name.isEmpty() && m_hive.createKey(projectsKey) && m_hive.deleteKeyTree(projectKey(name));
}

bool ProjectStore::rename(const QString& oldName, const QString& newName) {
    if (oldName.isEmpty() || newName.isEmpty() || !m_hive.createKey(projectsKey)) {
        return false;
    }
    if (oldName == newName) {
        return exists(oldName);
    }
    if (oldName.compare(newName, Qt::CaseInsensitive) != 0) {
        return m_hive.moveKey(projectsKey, oldName, newName);
    }
    // The registry sees the new spelling as taken by the old key itself, so go through a
    // name that no project has.
    QString interim = oldName + QStringLiteral(" (renaming)");
    for (int n = 2; exists(interim); ++n) {
        interim = oldName + QStringLiteral(" (renaming %1)").arg(n);
    }
    if (!m_hive.moveKey(projectsKey, oldName, interim)) {
        return false;
    }
    if (m_hive.moveKey(projectsKey, interim, newName)) {
        return true;
    }
    m_hive.moveKey(projectsKey, interim, oldName);
    return false;
}

std::optional<ProjectSettings> ProjectStore::load(const QString& name) const {
    // One read of the hive for all the values, not one per value.
    const std::optional<HiveKey> key = name.isEmpty() ? std::nullopt : m_hive.readKey(projectKey(name));
    if (!key) {
        return std::nullopt;
    }
    // nullopt when the value is missing; a value that is not a string reads as empty.
    const auto text = [&key](const QString& valueName) -> std::optional<QString> {
        const HiveValue* value = key->value(valueName);
        if (!value) {
            return std::nullopt;
        }
        return value->type == HiveValue::Type::String ? value->data : QString();
    };
    ProjectSettings settings;
    settings.path = text(valuePath).value_or(QString());
    settings.extension = text(valueExtension).value_or(QString());
    settings.specialPath = text(valueSpecialPath);
    settings.specialExtension = text(valueSpecialExtension);
    settings.reference = text(valueReference).value_or(QString());
    settings.source = text(valueSource).value_or(QString());
    settings.destination = text(valueDestination).value_or(QString());
    return settings;
}

std::optional<QString> ProjectStore::readValue(const QString& name, const QString& valueName) const {
    if (name.isEmpty()) {
        return std::nullopt;
    }
    return m_hive.readString(projectKey(name), valueName);
}

bool ProjectStore::writeValue(const QString& name, const QString& valueName, const QString& text) {
    return !name.isEmpty() && m_hive.writeString(projectKey(name), valueName, text);
}
