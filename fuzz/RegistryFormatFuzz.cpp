// Any bytes as a hive file: parse must not crash, and what it reads (all of it, or what a
// damaged file still gives) must serialize to a text that parses cleanly to the same text again.
#include "FuzzAsanOptions.h"
#include "HiveKey.h"
#include "RegistryFormat.h"

#include <QByteArray>

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    HiveKey root;
    RegistryFormat::parse(bytes, root);
    const QByteArray written = RegistryFormat::serialize(root);
    HiveKey again;
    if (!RegistryFormat::parse(written, again) || RegistryFormat::serialize(again) != written) {
        std::abort();
    }
    return 0;
}
