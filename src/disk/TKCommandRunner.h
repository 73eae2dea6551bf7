#pragma once

#include "disk/TKCommandResult.h"

#include <string>
#include <vector>

// Runs a program with its argument vector, never through a shell, with or
// without administrator rights. Blocks until the command has ended (and the
// password prompt is answered), so callers run it off the main thread.
class TKCommandRunner {
public:
    virtual ~TKCommandRunner() = default;

    virtual TKCommandResult run(const std::vector<std::string> &arguments, bool asAdministrator) = 0;
};
