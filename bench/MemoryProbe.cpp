#include "MemoryProbe.h"

#include <malloc.h>
#include <unistd.h>

#include <fstream>
#include <string>

namespace {

size_t statusField(const std::string& name) {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.compare(0, name.size(), name) == 0) {
            return std::stoull(line.substr(name.size())) * 1024;
        }
    }
    return 0;
}

} // namespace

namespace MemoryProbe {

size_t allocatedBytes() {
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
}

size_t residentBytes() {
    return statusField("VmRSS:");
}

size_t peakResidentBytes() {
    return statusField("VmHWM:");
}

void resetPeak() {
    malloc_trim(0);
    std::ofstream("/proc/self/clear_refs") << "5";
}

} // namespace MemoryProbe
