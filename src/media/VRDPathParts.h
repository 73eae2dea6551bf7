#pragma once

#include <string_view>

// A file path cut into folder, name without extension and extension, the way
// a file URL reads them: trailing slashes do not count, and a leading dot
// starts no extension (".hidden" has none). The parts view the given text.
struct VRDPathParts {
    std::string_view path;
    std::string_view dir;
    std::string_view stem;
    std::string_view extension;

    static VRDPathParts split(std::string_view path);
};
