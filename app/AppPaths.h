#pragma once

#include <QString>

namespace AppPaths {

// The running executable's folder, ending in the host separator.
QString executableFolder();

} // namespace AppPaths
