#include "RegistryHive.h"

#include "FileError.h"
#include "FileLock.h"
#include "HiveKey.h"
#include "RegistryFormat.h"
#include "SafeFile.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
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

// Reported once per process and file, even when the file cannot be moved away.
void reportOnce(const QString& hivePath, const QString& message) {
    static QMutex mutex;
    static QSet<QString> reported;
    QMutexLocker lock(&mutex);
    if (!reported.contains(hivePath)) {
        reported.insert(hivePath);
        std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
    }
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

enum class LoadResult { Loaded, Unusable };

// Reads the hive into root. A file that is not a hive is moved aside (the caller holds the
// lock) and root stays empty. Unusable: the file exists but can be neither read nor moved,
// so it must not be replaced.
LoadResult loadLocked(const QString& hivePath, HiveKey& root) {
    if (!QFileInfo::exists(hivePath)) {
        return LoadResult::Loaded;
    }
    QByteArray bytes;
    try {
        bytes = SafeFile::readAll(hivePath);
    } catch (const FileError& e) {
        reportOnce(hivePath, QStringLiteral("Registry: %1").arg(e.message()));
        return LoadResult::Unusable;
    }
    QString reason;
    if (RegistryFormat::parse(bytes, root, &reason)) {
        return LoadResult::Loaded;
    }
    root = HiveKey();
    const QString aside = asidePath(hivePath);
    if (!QFile::rename(hivePath, aside)) {
        reportOnce(hivePath, QStringLiteral("Registry: \"%1\" is damaged (%2) and cannot be moved aside; it is left "
                                            "untouched and registry changes are not stored.")
                                 .arg(hivePath, reason));
        return LoadResult::Unusable;
    }
    std::fprintf(
        stderr, "%s\n",
        QStringLiteral("Registry: \"%1\" is damaged (%2); it was kept as \"%3\" and an empty registry is used.")
            .arg(hivePath, reason, aside)
            .toLocal8Bit()
            .constData());
    return LoadResult::Loaded;
}

// Readers go without the lock (writes replace the file atomically); only moving a damaged
// file aside takes it, so that a file just written by another process is never moved.
HiveKey loadForReading(const QString& hivePath) {
    HiveKey root;
    QByteArray bytes;
    try {
        bytes = QFileInfo::exists(hivePath) ? SafeFile::readAll(hivePath) : QByteArray();
    } catch (const FileError&) {
        return root;
    }
    if (RegistryFormat::parse(bytes, root)) {
        return root;
    }
    root = HiveKey();
    FileLock lock(lockPathFor(hivePath));
    if (lock.lockExclusive(LockTimeoutMs) && loadLocked(hivePath, root) == LoadResult::Loaded) {
        return root;
    }
    return HiveKey();
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
    if (loadLocked(hivePath, root) != LoadResult::Loaded || !change(root)) {
        return false;
    }
    try {
        SafeFile::writeAll(hivePath, RegistryFormat::serialize(root));
    } catch (const FileError& e) {
        reportOnce(hivePath, QStringLiteral("Registry: %1").arg(e.message()));
        return false;
    }
    return true;
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
