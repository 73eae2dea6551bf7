#pragma once

#include "disk/TKCommandResult.h"

#include <string>
#include <string_view>

// Turns the way a command ended into the error number and message callers read:
// a read-only medium is number 1 whatever the exit status, pkexec's 126 and 127
// mean the password prompt was cancelled or refused.
TKCommandResult TKClassifyCommandExit(const std::string &programName, int exitStatus, std::string_view output,
                                      bool throughPkexec);
