#include "media/VRDPathParts.h"

VRDPathParts VRDPathParts::split(std::string_view path)
{
    while (path.size() > 1 && path.back() == '/')
        path.remove_suffix(1);

    VRDPathParts parts;
    parts.path = path;
    std::string_view name = path;
    const std::size_t slash = path.rfind('/');
    if (slash != std::string_view::npos) {
        parts.dir = path.substr(0, slash == 0 ? 1 : slash);
        name = path.substr(slash + 1);
    }
    const std::size_t dot = name.rfind('.');
    if (dot == std::string_view::npos || dot == 0) {
        parts.stem = name;
    } else {
        parts.stem = name.substr(0, dot);
        parts.extension = name.substr(dot + 1);
    }
    return parts;
}
