#pragma once

#include <QString>

namespace FolderPath {

// path with the host separator appended unless it is empty or already ends in one.
QString withSeparator(const QString& path);

} // namespace FolderPath
