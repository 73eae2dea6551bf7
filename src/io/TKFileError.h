#pragma once

#include <string>

// Why a file could not be read or written. `messageKey` is the localised
// text to show ("msg.file_open_fail"); `systemError` is the system's own
// text for the log; `writeProtected` tells a read-only card (EROFS or a
// read-only mount) from other failures.
struct TKFileError {
    std::string messageKey;
    std::string systemError;
    bool writeProtected = false;
};
