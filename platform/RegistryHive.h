#pragma once

#include "HiveKey.h"

#include <QString>
#include <QStringList>

#include <optional>

// The current user's registry, kept in a text file in the registry's export syntax.
// Key paths are below HKEY_CURRENT_USER, separated by "\" (a leading "\" is optional),
// e.g. "\Software\Harvik Software\Editors\Tolvane\Projects". Key and value names compare
// without regard to case and keep the case in which they were made.
//
// Every call reads the current file; every change rewrites it at once, atomically and
// under a file lock, so two running copies lose no change of each other. Failures are
// reported as false / nullopt, never thrown: the program swallows registry errors. A damaged
// file is read as far as it can be and kept aside, as it was, before the first write.
class RegistryHive {
public:
    // $TOLVANE_REGISTRY, else $XDG_CONFIG_HOME/tolvane/HKCU.reg, else ~/.config/tolvane/HKCU.reg.
    static QString defaultPath();

    explicit RegistryHive(QString filePath = defaultPath());

    const QString& filePath() const { return m_filePath; }

    // Keeps a damaged hive file aside now (the readable part is written back and stays in use)
    // and returns, once, what the user should know about this hive file since the program
    // started: what was skipped and where the damaged file was kept, or why the file cannot be
    // used. Empty when there is nothing to tell.
    QString damageNotice();

    bool keyExists(const QString& key) const;
    // Creates the key and any missing parents; true when it exists afterwards.
    bool createKey(const QString& key);

    bool valueExists(const QString& key, const QString& name) const;
    // nullopt when the key or value is missing or the value is not a string.
    std::optional<QString> readString(const QString& key, const QString& name) const;
    // The key with its values and subkeys as they are now, read once for several look-ups;
    // nullopt when it is missing.
    std::optional<HiveKey> readKey(const QString& key) const;
    // Never creates the key: false when it is missing or the hive cannot be written.
    bool writeString(const QString& key, const QString& name, const QString& value);
    // A non-string ("other") value, as dword:xxxxxxxx.
    bool writeDword(const QString& key, const QString& name, quint32 value);

    // Names of the direct subkeys in the order they were made; empty when the key is missing.
    QStringList subKeys(const QString& key) const;
    // Deletes the key with all its values and subkeys; false when it was missing.
    bool deleteKeyTree(const QString& key);
    // Moves parent\oldName to parent\newName (copying values and subkeys, then deleting the old
    // key), only when oldName exists and newName does not (compared without regard to case).
    bool moveKey(const QString& parentKey, const QString& oldName, const QString& newName);

private:
    QString m_filePath;
};
