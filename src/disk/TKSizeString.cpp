#include "disk/TKSizeString.h"

namespace {

constexpr char kUnitLetters[] = "kMGTPEZY";
constexpr int kUnitCount = 8;

std::string unitText(std::uint64_t whole, int unitIndex)
{
    return std::to_string(whole) + ' ' + kUnitLetters[unitIndex] + 'B';
}

} // namespace

std::string TKSizeString(std::uint64_t byteCount)
{
    if (byteCount < 1024)
        return std::to_string(byteCount) + " B";

    std::uint64_t quotient = byteCount;
    std::uint64_t remainder = 0;
    bool earlierRemainder = false;
    int divisions = 0;
    do {
        earlierRemainder = earlierRemainder || remainder != 0;
        remainder = quotient % 1024;
        quotient /= 1024;
        ++divisions;
    } while (quotient >= 1024 && divisions < kUnitCount);
    const int unit = divisions - 1;

    if (quotient >= 10) {
        // Half to even, with any dropped lower remainder breaking the tie upwards.
        if (remainder > 512 || (remainder == 512 && (quotient % 2 == 1 || earlierRemainder)))
            ++quotient;
        if (quotient == 1024 && unit + 1 < kUnitCount)
            return std::string("1.0 ") + kUnitLetters[unit + 1] + 'B';
        return unitText(quotient, unit);
    }
    if (remainder < 950) {
        std::uint64_t tenths = remainder / 100;
        const std::uint64_t rest = remainder % 100;
        if (rest > 50 || (rest == 50 && (tenths % 2 == 1 || earlierRemainder)))
            ++tenths;
        return std::to_string(quotient) + '.' + std::to_string(tenths) + ' ' + kUnitLetters[unit] + 'B';
    }
    return unitText(quotient + 1, unit);
}
