#include "RegistryHive.h"

#include "FileError.h"
#include "FileLock.h"
#include "RegistryFormat.h"
#include "HiveKey.h"
#include "SafeFile.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QMutex>
#include <QSet>
#include <QStandardPaths>

#include <cstdio>
#include <functional>
#include <utility>

namespace {

// A writer holds the lock only for one read-modify-write; waiting longer means something is wrong.
constexpr int LockTimeoutMs = 10000;

QString lockPathFor(const QString& hivePath) {
    return hivePath + QStringLiteral(".lock");
}

// What the user is told about each hive file: on standard error at once, and kept for the
// window to show (damageNotice).
QMutex noticeMutex;
QHash<QString, QStringList> pendingNotices;

void notify(const QString& hivePath, const QString& message) {
    std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
    QMutexLocker lock(&noticeMutex);
    QStringList& pending = pendingNotices[hivePath];
    if (!pending.contains(message)) {
        pending.append(message);
    }
}

// Told once per process and file, even when the file cannot be moved away.
void notifyOnce(const QString& hivePath, const QString& message) {
    static QSet<QString> told;
    {
        QMutexLocker lock(&noticeMutex);
        if (told.contains(hivePath)) {
            return;
        }
        told.insert(hivePath);
    }
    notify(hivePath, message);
}

QString asidePath(const QString& hivePath) {
    const QString base = hivePath + QStringLiteral(".damaged-") +
                         QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-hhmmss"));
    QString candidate = base;
    for (int n = 2; QFileInfo::exists(candidate); ++n) {
        candidate = base + QLatin1Char('-') + QString::number(n);
    }
    return candidate;
}

// SetAside: the file was damaged, a copy of it is kept and root holds what could be read, so
// the caller must write the hive even when it changes nothing. Unusable: the file exists but
// can be neither read nor kept aside, so it must not be replaced.
enum class LoadResult { Loaded, SetAside, Unusable };

// Reads the hive into root; the caller holds the lock.
LoadResult loadLocked(const QString& hivePath, HiveKey& root) {
    if (!QFileInfo::exists(hivePath)) {
        return LoadResult::Loaded;
    }
    QByteArray bytes;
    try {
        bytes = SafeFile::readAll(hivePath);
    } catch (const FileError& e) {
        notifyOnce(hivePath, QStringLiteral("Registry: %1").arg(e.message()));
        return LoadResult::Unusable;
    }
    QString damage;
    if (RegistryFormat::parse(bytes, root, &damage)) {
        return LoadResult::Loaded;
    }
    const QString aside = asidePath(hivePath);
    try {
        SafeFile::writeAll(aside, bytes);
    } catch (const FileError& e) {
        notifyOnce(hivePath, QStringLiteral("The registry file \"%1\" is damaged (%2) and cannot be kept aside (%3); "
                                            "it is left untouched and registry changes are not stored.")
                                 .arg(hivePath, damage, e.message()));
        return LoadResult::Unusable;
    }
    notify(hivePath, QStringLiteral("The registry file \"%1\" is damaged (%2); it was kept as \"%3\" and what could "
                                    "be read is used.")
                         .arg(hivePath, damage, aside));
    return LoadResult::SetAside;
}

// Readers go without the lock (writes replace the file atomically) and take what can be read;
// a damaged file is kept aside by the first write.
HiveKey loadForReading(const QString& hivePath, bool* damaged = nullptr) {
    HiveKey root;
    QByteArray bytes;
    try {
        bytes = QFileInfo::exists(hivePath) ? SafeFile::readAll(hivePath) : QByteArray();
    } catch (const FileError&) {
        return root;
    }
    const bool clean = RegistryFormat::parse(bytes, root);
    if (damaged) {
        *damaged = !clean;
    }
    return root;
}

HiveKey* findKey(HiveKey& root, const QString& path) {
    const auto names = RegistryFormat::splitPath(path);
    if (!names) {
        return nullptr;
    }
    HiveKey* key = &root;
    for (const QString& name : *names) {
        key = key->child(name);
        if (!key) {
            return nullptr;
        }
    }
    return key;
}

// Read-modify-write of the hive under the lock; change returns whether it changed anything.
bool modify(const QString& hivePath, const std::function<bool(HiveKey&)>& change) {
    const QString folder = QFileInfo(hivePath).absolutePath();
    if (!QDir().mkpath(folder)) {
        return false;
    }
    FileLock lock(lockPathFor(hivePath));
    if (!lock.lockExclusive(LockTimeoutMs)) {
        return false;
    }
    HiveKey root;
    const LoadResult loaded = loadLocked(hivePath, root);
    if (loaded == LoadResult::Unusable) {
        return false;
    }
    const bool changed = change(root);
    if (!changed && loaded != LoadResult::SetAside) {
        return false;
    }
    try {
        SafeFile::writeAll(hivePath, RegistryFormat::serialize(root));
    } catch (const FileError& e) {
        notifyOnce(hivePath, QStringLiteral("Registry: %1").arg(e.message()));
        return false;
    }
    return changed;
}

} // namespace

QString RegistryHive::defaultPath() {
    const QString fromEnvironment = qEnvironmentVariable("TOLVANE_REGISTRY");
    if (!fromEnvironment.isEmpty()) {
        return fromEnvironment;
    }
    QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (config.isEmpty() || QDir::isRelativePath(config)) {
        config = QDir::homePath() + QStringLiteral("/.config");
    }
    return config + QStringLiteral("/tolvane/HKCU.reg");
}

RegistryHive::RegistryHive(QString filePath) : m_filePath(std::move(filePath)) {}

QString RegistryHive::damageNotice() {
    bool damaged = false;
    loadForReading(m_filePath, &damaged);
    if (damaged) {
        modify(m_filePath, [](HiveKey&) { return false; });
    }
    QMutexLocker lock(&noticeMutex);
    return pendingNotices.take(m_filePath).join(QLatin1Char('\n'));
}

bool RegistryHive::keyExists(const QString& key) const {
    HiveKey root = loadForReading(m_filePath);
    return findKey(root, key) != nullptr;
}

bool RegistryHive::createKey(const QString& key) {
    const auto names = RegistryFormat::splitPath(key);
    if (!names) {
        return false;
    }
    if (keyExists(key)) {
        return true;
    }
    return modify(m_filePath, [&names](HiveKey& root) {
        HiveKey* k = &root;
        for (const QString& name : *names) {
            k = &k->addChild(name);
        }
        return true;
    });
}

bool RegistryHive::valueExists(const QString& key, const QString& name) const {
    HiveKey root = loadForReading(m_filePath);
    const HiveKey* k = findKey(root, key);
    return k && k->value(name);
}

std::optional<QString> RegistryHive::readString(const QString& key, const QString& name) const {
    HiveKey root = loadForReading(m_filePath);
    const HiveKey* k = findKey(root, key);
    const HiveValue* v = k ? k->value(name) : nullptr;
    if (!v || v->type != HiveValue::Type::String) {
        return std::nullopt;
    }
    return v->data;
}

std::optional<HiveKey> RegistryHive::readKey(const QString& key) const {
    HiveKey root = loadForReading(m_filePath);
    HiveKey* k = findKey(root, key);
    if (!k) {
        return std::nullopt;
    }
    return std::move(*k);
}

bool RegistryHive::writeString(const QString& key, const QString& name, const QString& value) {
    return modify(m_filePath, [&](HiveKey& root) {
        HiveKey* k = findKey(root, key);
        if (k) {
            k->setValue(name, HiveValue::Type::String, value);
        }
        return k != nullptr;
    });
}

bool RegistryHive::writeDword(const QString& key, const QString& name, quint32 value) {
    const QString data = QStringLiteral("dword:%1").arg(value, 8, 16, QLatin1Char('0'));
    return modify(m_filePath, [&](HiveKey& root) {
        HiveKey* k = findKey(root, key);
        if (k) {
            k->setValue(name, HiveValue::Type::Other, data);
        }
        return k != nullptr;
    });
}

QStringList RegistryHive::subKeys(const QString& key) const {
    HiveKey root = loadForReading(m_filePath);
    QStringList names;
    if (const HiveKey* k = findKey(root, key)) {
        for (const auto& child : k->children()) {
            names.append(child->name());
        }
    }
    return names;
}

bool RegistryHive::deleteKeyTree(const QString& key) {
    const auto names = RegistryFormat::splitPath(key);
    if (!names || names->isEmpty()) {
        return false;
    }
    const QString leaf = names->last();
    const QString parentPath = QStringList(names->begin(), names->end() - 1).join(QLatin1Char('\\'));
    return modify(m_filePath, [&](HiveKey& root) {
        HiveKey* parent = findKey(root, parentPath);
        return parent && parent->takeChild(leaf) != nullptr;
    });
}

bool RegistryHive::moveKey(const QString& parentKey, const QString& oldName, const QString& newName) {
    if (!RegistryFormat::isValidKeyName(oldName) || !RegistryFormat::isValidKeyName(newName)) {
        return false;
    }
    return modify(m_filePath, [&](HiveKey& root) {
        HiveKey* parent = findKey(root, parentKey);
        if (!parent || !parent->child(oldName) || parent->child(newName)) {
            return false;
        }
        parent->adoptChild(parent->takeChild(oldName), newName);
        return true;
    });
}
