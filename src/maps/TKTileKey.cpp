#include "maps/TKTileKey.h"

#include <charconv>

namespace {

// Digits only, no sign, no blanks, at most 10 of them.
std::optional<std::int64_t> parseNumber(std::string_view text)
{
    if (text.empty() || text.size() > 10)
        return std::nullopt;
    std::int64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || text.front() == '-' || text.front() == '+')
        return std::nullopt;
    return value;
}

} // namespace

std::optional<TKTileKey> TKTileKey::make(int z, std::int64_t x, std::int64_t y)
{
    if (z < 0 || z > kMaxZoom)
        return std::nullopt;
    const std::int64_t side = std::int64_t{1} << z;
    if (x < 0 || y < 0 || x >= side || y >= side)
        return std::nullopt;
    return TKTileKey{z, static_cast<std::uint32_t>(x), static_cast<std::uint32_t>(y)};
}

std::optional<TKTileKey> TKTileKey::fromPath(std::string_view path)
{
    while (!path.empty() && path.front() == '/')
        path.remove_prefix(1);
    constexpr std::string_view png = ".png";
    if (path.size() >= png.size() && path.substr(path.size() - png.size()) == png)
        path.remove_suffix(png.size());
    const std::size_t first = path.find('/');
    if (first == std::string_view::npos)
        return std::nullopt;
    const std::size_t second = path.find('/', first + 1);
    if (second == std::string_view::npos || path.find('/', second + 1) != std::string_view::npos)
        return std::nullopt;
    const auto z = parseNumber(path.substr(0, first));
    const auto x = parseNumber(path.substr(first + 1, second - first - 1));
    const auto y = parseNumber(path.substr(second + 1));
    if (!z || !x || !y || *z > kMaxZoom)
        return std::nullopt;
    return make(static_cast<int>(*z), *x, *y);
}

std::string TKTileKey::relativePath() const
{
    return std::to_string(z) + '/' + std::to_string(x) + '/' + std::to_string(y) + ".png";
}

std::uint32_t TKTileKey::mbtilesRow() const
{
    return static_cast<std::uint32_t>((std::uint64_t{1} << z) - 1 - y);
}
