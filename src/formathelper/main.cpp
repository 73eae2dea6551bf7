// tovik-format-helper: what polkit runs as root to format the dashcam card.
// It takes exactly the mkfs.fat options the application builds and checks the
// device again (a removable or USB block device, nothing of it mounted), then
// replaces itself with mkfs.fat; its exit status is then mkfs.fat's.
#include "disk/TKFormatHelperArguments.h"
#include "disk/TKFormatHelperExit.h"
#include "disk/TKFormatPlan.h"
#include "disk/TKFormatTargetCheck.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include <unistd.h>

namespace {

constexpr const char *kName = "tovik-format-helper";

int refuse(int exitStatus, const std::string &reason)
{
    std::fprintf(stderr, "%s: refused: %s\n", kName, reason.c_str());
    return exitStatus;
}

// mkfs.fat from the system folders only: the caller's PATH is not trusted.
const char *mkfsProgram()
{
    for (const char *path : {"/usr/sbin/mkfs.fat", "/sbin/mkfs.fat"}) {
        if (::access(path, X_OK) == 0)
            return path;
    }
    return nullptr;
}

} // namespace

int main(int argc, char **argv)
{
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    const std::optional<TKFormatHelperRequest> request = TKParseFormatHelperArguments(arguments);
    if (!request)
        return refuse(TKFormatHelperExit::kBadArguments,
                      "expected the dashcam card's mkfs.fat options (-F 32 -n TOVIK -f 2 -b 6 -R 32 -a -s 32|128 "
                      "[-I]) and one device under /dev");

    const TKFormatTargetCheck targetCheck(TKBlockDeviceSources::system());
    const TKFormatTargetVerdict verdict = targetCheck.check(request->devicePath);
    if (!verdict.allowed())
        return refuse(verdict.exitStatus, verdict.reason);

    const char *program = mkfsProgram();
    if (program == nullptr)
        return refuse(TKFormatHelperExit::kCannotRun, "mkfs.fat is not installed (package dosfstools)");
    std::vector<std::string> command =
        TKFormatCommandArguments(request->devicePath, request->sectorsPerCluster, request->mediaWhole);
    std::vector<char *> commandArguments;
    for (std::string &argument : command)
        commandArguments.push_back(argument.data());
    commandArguments.push_back(nullptr);
    // English messages, so the application recognises a write-protected card.
    char path[] = "PATH=/usr/sbin:/usr/bin:/sbin:/bin";
    char locale[] = "LC_ALL=C";
    char *environment[] = {path, locale, nullptr};
    ::execve(program, commandArguments.data(), environment);
    return refuse(TKFormatHelperExit::kCannotRun, std::string("cannot run ") + program + ": " + std::strerror(errno));
}
