// The installed helper as polkit runs it: it must refuse, with its own exit
// status and one line saying why, before mkfs.fat ever starts.
#include "disk/TKFormatHelperExit.h"
#include "disk/TKFormatPlan.h"
#include "disk/TKProcessCommandRunner.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

namespace {

using ::testing::HasSubstr;

std::vector<std::string> helperCommand(std::vector<std::string> mkfsCommand)
{
    mkfsCommand.front() = std::string(std::getenv("TOVIK_BUILD_DIR")) + "/src/formathelper/tovik-format-helper";
    return mkfsCommand;
}

std::string exitText(int status)
{
    return "(exit status " + std::to_string(status) + "): tovik-format-helper: refused: ";
}

TEST(FormatHelperProgramTest, RefusesOtherOptionsAndDevicesThatAreNoRemovableCard)
{
    TKProcessCommandRunner runner;
    std::vector<std::string> otherLabel = helperCommand(TKFormatCommandArguments("/dev/sdb1", 32, false));
    otherLabel.at(5) = "DATA";
    EXPECT_THAT(runner.run(otherLabel, false).errorMessage, HasSubstr(exitText(TKFormatHelperExit::kBadArguments)));

    EXPECT_THAT(runner.run(helperCommand(TKFormatCommandArguments("/dev/null", 32, false)), false).errorMessage,
                HasSubstr(exitText(TKFormatHelperExit::kNotABlockDevice) + "/dev/null is not a block device"));

    // A loop device is virtual: neither removable nor on a USB bus.
    if (std::filesystem::exists("/dev/loop0")) {
        EXPECT_THAT(runner.run(helperCommand(TKFormatCommandArguments("/dev/loop0", 128, true)), false).errorMessage,
                    HasSubstr(exitText(TKFormatHelperExit::kNotRemovable) + "/dev/loop0"));
    }
}

} // namespace
