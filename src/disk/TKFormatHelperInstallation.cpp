#include "disk/TKFormatHelperInstallation.h"

#include <sys/stat.h>
#include <unistd.h>

std::optional<std::string> TKFormatHelperInstallation::helperFor(const std::vector<std::string> &arguments) const
{
    if (arguments.empty() || arguments.front() != "mkfs.fat")
        return std::nullopt;
    struct stat policy {};
    if (::stat(policyPath.c_str(), &policy) != 0 || !S_ISREG(policy.st_mode))
        return std::nullopt;
    struct stat helper {};
    if (::stat(helperPath.c_str(), &helper) != 0 || !S_ISREG(helper.st_mode) || ::access(helperPath.c_str(), X_OK) != 0)
        return std::nullopt;
    return helperPath;
}
