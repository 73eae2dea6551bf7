#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// The vehicle number as the camera takes it: the ASCII letters and digits of
// the typed text in their order, at most 8, everything else dropped. The
// text is walked in UTF-16 units, as the text field holds it.
class VRDCarNumber {
public:
    static constexpr std::size_t kMaximumLength = 8;

    static std::string clean(std::u16string_view text);
};
