#pragma once

// Writes a card of one-minute front recordings that hold only their data track, with the
// demo-card generator (TOVIK_DEMO_CARD_PROGRAM, set by the bench's CMake file).
#include <string>
#include <vector>

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char **environ;

inline bool makeDataOnlyCard(const std::string &folder, int recordings)
{
    const std::string program = TOVIK_DEMO_CARD_PROGRAM;
    std::vector<std::string> arguments{program,   folder,  "--no-video", "--front-only", "--count",
                                       std::to_string(recordings), "--duration", "60"};
    std::vector<char *> argv;
    for (std::string &argument : arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    pid_t child = 0;
    if (::posix_spawn(&child, program.c_str(), nullptr, nullptr, argv.data(), environ) != 0)
        return false;
    int status = 0;
    return ::waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}
