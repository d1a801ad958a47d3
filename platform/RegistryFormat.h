#pragma once

#include "HiveKey.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

// The hive's text form, the registry's export syntax in UTF-8:
//
//   Windows Registry Editor Version 5.00
//
//   [HKEY_CURRENT_USER\Software\Vendor]
//   "Name"="text with \\ and \" escaped"
//   "Count"=dword:0000002a
//
// Line breaks inside names and strings are written as \n and \r, so that every string
// survives the trip through the file.
class RegistryFormat {
public:
    static const QString Signature;
    static const QString RootName;
    // Deeper paths are refused (the registry's own limit), which also bounds recursion.
    static constexpr int MaxDepth = 512;

    // Fills root (which must be empty) with what can be read from the file's bytes: a byte
    // that is not UTF-8 is taken as Latin-1, a line that cannot be read is skipped (with the
    // values under a header that cannot be read). False, with what was found in damage, when
    // anything was skipped or taken as Latin-1. Empty bytes are an empty hive.
    static bool parse(const QByteArray& bytes, HiveKey& root, QString* damage = nullptr);
    static QByteArray serialize(const HiveKey& root);

    // Names of a key path below the root; nullopt when a name is empty or cannot be written
    // into a header line, or the path is too deep. A leading "\" is optional.
    static std::optional<QStringList> splitPath(const QString& path);
    static bool isValidKeyName(const QString& name);
};
