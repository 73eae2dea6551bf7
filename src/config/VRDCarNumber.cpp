#include "config/VRDCarNumber.h"

namespace {

bool isAsciiLetterOrDigit(char16_t unit)
{
    return (unit >= u'A' && unit <= u'Z') || (unit >= u'a' && unit <= u'z') || (unit >= u'0' && unit <= u'9');
}

} // namespace

std::string VRDCarNumber::clean(std::u16string_view text)
{
    std::string kept;
    for (const char16_t unit : text) {
        if (kept.size() == kMaximumLength)
            break;
        if (isAsciiLetterOrDigit(unit))
            kept.push_back(static_cast<char>(unit));
    }
    return kept;
}
