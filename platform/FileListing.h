#pragma once

#include <QString>
#include <QStringList>

// Directory listing with the host file system's wildcard rules (case-sensitive on Linux).
namespace FileListing {

// Bare names of the entries of folder matching pattern ("*.tvl"), files only (hidden ones
// included), in the order the system delivers them. A missing folder gives an empty list.
QStringList files(const QString& folder, const QString& pattern);

} // namespace FileListing
