#include "disk/TKMountTable.h"

#include <algorithm>

namespace {

bool isOctalDigit(char c)
{
    return c >= '0' && c <= '7';
}

std::string unescaped(std::string_view field)
{
    std::string text;
    text.reserve(field.size());
    for (std::size_t i = 0; i < field.size(); ++i) {
        if (field[i] == '\\' && i + 3 < field.size() && isOctalDigit(field[i + 1]) && isOctalDigit(field[i + 2])
            && isOctalDigit(field[i + 3])) {
            text += static_cast<char>(((field[i + 1] - '0') << 6) | ((field[i + 2] - '0') << 3) | (field[i + 3] - '0'));
            i += 3;
        } else {
            text += field[i];
        }
    }
    return text;
}

// The first two blank-separated fields of a line.
bool firstTwoFields(std::string_view line, std::string_view &first, std::string_view &second)
{
    constexpr std::string_view kBlanks = " \t";
    const std::size_t firstStart = line.find_first_not_of(kBlanks);
    if (firstStart == std::string_view::npos)
        return false;
    const std::size_t firstEnd = line.find_first_of(kBlanks, firstStart);
    if (firstEnd == std::string_view::npos)
        return false;
    const std::size_t secondStart = line.find_first_not_of(kBlanks, firstEnd);
    if (secondStart == std::string_view::npos)
        return false;
    const std::size_t secondEnd = std::min(line.find_first_of(kBlanks, secondStart), line.size());
    first = line.substr(firstStart, firstEnd - firstStart);
    second = line.substr(secondStart, secondEnd - secondStart);
    return true;
}

template <typename Visit>
void forEachLine(std::string_view text, Visit visit)
{
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        visit(text.substr(start, end - start));
        start = end + 1;
    }
}

} // namespace

namespace TKMountTable {

std::vector<TKMountEntry> parseMounts(std::string_view text)
{
    std::vector<TKMountEntry> entries;
    forEachLine(text, [&](std::string_view line) {
        std::string_view source;
        std::string_view mountPoint;
        if (firstTwoFields(line, source, mountPoint))
            entries.push_back({unescaped(source), unescaped(mountPoint)});
    });
    return entries;
}

std::vector<TKMountEntry> parseSwaps(std::string_view text)
{
    std::vector<TKMountEntry> entries;
    bool header = true;
    forEachLine(text, [&](std::string_view line) {
        std::string_view source;
        std::string_view type;
        if (!header && firstTwoFields(line, source, type))
            entries.push_back({unescaped(source), "[swap]"});
        header = false;
    });
    return entries;
}

} // namespace TKMountTable
