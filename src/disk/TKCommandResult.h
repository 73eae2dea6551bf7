#pragma once

#include <string>

// Error numbers of a command run, as the callers read them.
namespace TKCommandError {
constexpr int kNone = 0;
constexpr int kWriteProtected = 1;
constexpr int kFailed = 2;
constexpr int kNotStarted = 3;
// The administrator password prompt was cancelled or refused.
constexpr int kAuthorizationRefused = -128;
} // namespace TKCommandError

struct TKCommandResult {
    int errorNumber = TKCommandError::kNone;
    std::string errorMessage;

    bool succeeded() const { return errorNumber == TKCommandError::kNone; }
};
