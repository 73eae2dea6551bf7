#pragma once

#include "io/TKFileError.h"
#include "io/TKResult.h"

#include <ctime>
#include <optional>
#include <string>

// The clock-setting file timeset.cfg that the camera reads at the card's
// root: exactly the 19 bytes "yyyy/MM/dd HH:mm:ss" of local wall-clock time,
// no line end.
class TKClockFile {
public:
    static constexpr const char *kFileName = "timeset.cfg";
    static constexpr std::size_t kTextLength = 19;

    // The text of a calendar time; none when a field is out of range or the
    // date does not exist.
    static std::optional<std::string> textFor(const std::tm &localTime);
    // Reads "yyyy/MM/dd HH:mm:ss" (exactly that form) into a calendar time.
    static std::optional<std::tm> parse(const std::string &text);
    static std::tm localNow();

    // Writes the text from the file's start, creating the file when missing.
    // The file is not truncated: bytes after the 19th stay, as the camera's
    // own tools leave them.
    static TKStatus<TKFileError> write(const std::string &path, const std::tm &localTime);
};
