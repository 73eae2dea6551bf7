#pragma once

#include <cstddef>
#include <string_view>

// Reads fixed-width fields the way sscanf reads "%02d%02d%02d.%03d": each
// integer skips leading blanks and then takes at most `width` characters
// (sign included); a literal must match exactly. After the first mismatch
// every further read fails and leaves its target unchanged.
class VRDFormattedScanner {
public:
    explicit VRDFormattedScanner(std::string_view text) : m_text(text) {}

    bool integer(std::size_t width, int &value);
    bool literal(char expected);

private:
    std::string_view m_text;
    std::size_t m_at = 0;
    bool m_failed = false;
};
