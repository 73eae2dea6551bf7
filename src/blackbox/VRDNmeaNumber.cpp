#include "blackbox/VRDNmeaNumber.h"

#include <charconv>
#include <limits>
#include <string>

namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

std::size_t skipBlanks(std::string_view text)
{
    std::size_t at = 0;
    while (at < text.size() && isBlank(text[at]))
        ++at;
    return at;
}

std::size_t skipDigits(std::string_view text, std::size_t at)
{
    while (at < text.size() && isDigit(text[at]))
        ++at;
    return at;
}

} // namespace

namespace VRDNmeaNumber {

float leadingFloat(std::string_view field)
{
    std::size_t at = skipBlanks(field);
    bool negative = false;
    if (at < field.size() && (field[at] == '+' || field[at] == '-')) {
        negative = field[at] == '-';
        ++at;
    }
    const std::size_t start = at;
    std::size_t end = skipDigits(field, at);
    bool hasDigits = end > start;
    if (end < field.size() && field[end] == '.') {
        const std::size_t fractionEnd = skipDigits(field, end + 1);
        hasDigits = hasDigits || fractionEnd > end + 1;
        end = fractionEnd;
    }
    if (!hasDigits)
        return 0.0f;
    bool negativeExponent = false;
    if (end < field.size() && (field[end] == 'e' || field[end] == 'E')) {
        std::size_t exponent = end + 1;
        if (exponent < field.size() && (field[exponent] == '+' || field[exponent] == '-')) {
            negativeExponent = field[exponent] == '-';
            ++exponent;
        }
        const std::size_t exponentEnd = skipDigits(field, exponent);
        if (exponentEnd > exponent)
            end = exponentEnd;
        else
            negativeExponent = false;
    }
    // from_chars wants at least one digit before the point.
    std::string number = field[start] == '.' ? "0" : "";
    number.append(field.substr(start, end - start));
    float value = 0.0f;
    const auto [ptr, error] = std::from_chars(number.data(), number.data() + number.size(), value);
    if (error == std::errc::result_out_of_range)
        value = negativeExponent ? 0.0f : std::numeric_limits<float>::infinity();
    return negative ? -value : value;
}

std::int32_t leadingInteger(std::string_view field)
{
    std::size_t at = skipBlanks(field);
    bool negative = false;
    if (at < field.size() && (field[at] == '+' || field[at] == '-')) {
        negative = field[at] == '-';
        ++at;
    }
    std::int64_t magnitude = 0;
    constexpr std::int64_t kLimit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
    for (; at < field.size() && isDigit(field[at]); ++at) {
        magnitude = magnitude * 10 + (field[at] - '0');
        if (magnitude > kLimit)
            magnitude = kLimit;
    }
    const std::int64_t value = negative ? -magnitude : magnitude;
    if (value > std::numeric_limits<std::int32_t>::max())
        return std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(value);
}

} // namespace VRDNmeaNumber
