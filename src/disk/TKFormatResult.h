#pragma once

#include <string>

// One step of the format sequence as a window or the command line shows it:
// reported when it starts and again with its outcome.
struct TKFormatStep {
    enum class State { Started, Succeeded, Failed };

    std::string text;    // "unmount disk...", "formatting...", ...
    State state = State::Started;
    std::string detail;  // what went wrong, or what was done
};

struct TKFormatResult {
    enum class Status {
        Completed,      // formatted, mounted again, config.bin back (or a default one)
        Refused,        // nothing was changed on the card
        FormatFailed,   // the format command failed; the card was mounted again
        RestoreFailed,  // formatted, but config.bin could not be put back
    };

    Status status = Status::Refused;
    int errorNumber = 0;           // of the format command; 1 = write-protected medium
    std::string message;           // why it failed, for the user
    std::string displayString;     // of the disk: as found again after formatting, else as it was
    std::string savedConfigPath;   // where the card's config.bin is kept when it is not back on the card
    bool wroteDefaultSettings = false;
};
