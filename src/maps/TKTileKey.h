#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// One map tile in the web map's numbering: zoom z, column x from the west,
// row y from the north; x and y lie below 2^z.
struct TKTileKey {
    static constexpr int kMaxZoom = 22;

    int z = 0;
    std::uint32_t x = 0;
    std::uint32_t y = 0;

    // A key only for a valid tile; nullopt for a zoom or column out of range.
    static std::optional<TKTileKey> make(int z, std::int64_t x, std::int64_t y);
    // "z/x/y.png" or "z/x/y" as the map page asks for it; nullopt for anything else.
    static std::optional<TKTileKey> fromPath(std::string_view path);

    // Where the tile lies in a folder store: "z/x/y.png".
    std::string relativePath() const;
    // MBTiles numbers rows from the south (TMS): 2^z - 1 - y.
    std::uint32_t mbtilesRow() const;

    friend bool operator==(const TKTileKey &, const TKTileKey &) = default;
};
