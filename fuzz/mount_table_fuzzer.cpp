// Any bytes as /proc/self/mounts or /proc/swaps: the tables must neither crash
// nor give an empty field or one longer than the text.
#include "disk/TKMountTable.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char *>(data), size);
    for (const TKMountEntry &entry : TKMountTable::parseMounts(text)) {
        if (entry.source.empty() || entry.mountPoint.empty() || entry.source.size() + entry.mountPoint.size() >= size)
            std::abort();
    }
    for (const TKMountEntry &entry : TKMountTable::parseSwaps(text)) {
        if (entry.source.empty() || entry.source.size() >= size || entry.mountPoint != "[swap]")
            std::abort();
    }
    return 0;
}
