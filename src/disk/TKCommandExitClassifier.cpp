#include "disk/TKCommandExitClassifier.h"

#include <algorithm>
#include <array>
#include <vector>

namespace {

constexpr std::size_t kMaxQuotedLines = 3;
constexpr std::size_t kMaxQuotedLength = 400;

bool mentionsReadOnlyMedium(std::string_view output)
{
    constexpr std::array<std::string_view, 3> markers{"Read-only file system", "write-protected", "EROFS"};
    return std::any_of(markers.begin(), markers.end(),
                       [&](std::string_view marker) { return output.find(marker) != std::string_view::npos; });
}

// The last few non-empty lines, with control characters blanked, so the
// message stays one readable paragraph whatever the command printed.
std::string outputTail(std::string_view output)
{
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    while (start <= output.size()) {
        const std::size_t end = std::min(output.find('\n', start), output.size());
        std::string_view line = output.substr(start, end - start);
        while (!line.empty() && (line.back() == '\r' || line.back() == ' '))
            line.remove_suffix(1);
        if (!line.empty())
            lines.push_back(line);
        start = end + 1;
    }
    const std::size_t first = lines.size() > kMaxQuotedLines ? lines.size() - kMaxQuotedLines : 0;
    std::string text;
    for (std::size_t i = first; i < lines.size(); ++i) {
        if (!text.empty())
            text += ' ';
        text += lines[i];
    }
    if (text.size() > kMaxQuotedLength)
        text = text.substr(text.size() - kMaxQuotedLength);
    std::replace_if(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20; }, ' ');
    return text;
}

} // namespace

TKCommandResult TKClassifyCommandExit(const std::string &programName, int exitStatus, std::string_view output,
                                      bool throughPkexec)
{
    if (exitStatus == 0)
        return {};
    const std::string tail = outputTail(output);
    if (mentionsReadOnlyMedium(output))
        return {TKCommandError::kWriteProtected, "The medium is write-protected: " + tail};
    if (throughPkexec && (exitStatus == 126 || exitStatus == 127))
        return {TKCommandError::kAuthorizationRefused,
                "The administrator password prompt was cancelled or refused, so " + programName + " did not run."};
    std::string message = programName + " failed (exit status " + std::to_string(exitStatus) + ")";
    if (!tail.empty())
        message += ": " + tail;
    return {TKCommandError::kFailed, message};
}
