// Any bytes as the path of a tile the map page asks for: a key is made only
// for a real tile, and its store path and MBTiles row stay in range.
#include "maps/TKTileKey.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view path(reinterpret_cast<const char *>(data), size);
    const auto key = TKTileKey::fromPath(path);
    if (!key)
        return 0;
    const std::uint64_t side = std::uint64_t{1} << key->z;
    if (key->z < 0 || key->z > TKTileKey::kMaxZoom || key->x >= side || key->y >= side || key->mbtilesRow() >= side)
        std::abort();
    const auto again = TKTileKey::fromPath(key->relativePath());
    if (!again || !(*again == *key) || key->relativePath().find("..") != std::string::npos)
        std::abort();
    return 0;
}
