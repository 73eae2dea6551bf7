#include "disk/TKCommandExitClassifier.h"
#include "disk/TKProcessCommandRunner.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <unistd.h>

namespace {

using ::testing::HasSubstr;

TEST(TKCommandExitClassifierTest, ReadsWriteProtectionAndRefusedPromptsFromTheExit)
{
    EXPECT_TRUE(TKClassifyCommandExit("mkfs.fat", 0, "anything", true).succeeded());

    const TKCommandResult readOnly =
        TKClassifyCommandExit("mkfs.fat", 1, "mkfs.fat 4.2\nunable to open /dev/sdb1: Read-only file system\n", true);
    EXPECT_EQ(readOnly.errorNumber, TKCommandError::kWriteProtected);
    EXPECT_THAT(readOnly.errorMessage, HasSubstr("Read-only file system"));

    for (int status : {126, 127}) {
        EXPECT_EQ(TKClassifyCommandExit("mkfs.fat", status, "", true).errorNumber,
                  TKCommandError::kAuthorizationRefused);
        EXPECT_EQ(TKClassifyCommandExit("mkfs.fat", status, "", false).errorNumber, TKCommandError::kFailed);
    }

    const TKCommandResult failed =
        TKClassifyCommandExit("mkfs.fat", 1, "one\ntwo\r\n\nthree\nfour\x07\n\n", true);
    EXPECT_EQ(failed.errorNumber, TKCommandError::kFailed);
    EXPECT_EQ(failed.errorMessage, "mkfs.fat failed (exit status 1): two three four ");
    EXPECT_LE(TKClassifyCommandExit("x", 1, std::string(100000, 'a'), false).errorMessage.size(), 500u);
}

TEST(TKProcessCommandRunnerTest, RunsTheArgumentVectorWithoutAShell)
{
    TKProcessCommandRunner runner;
    EXPECT_TRUE(runner.run({"true"}, false).succeeded());
    EXPECT_EQ(runner.run({"false"}, false).errorNumber, TKCommandError::kFailed);

    // Every argument arrives as it stands: nothing is expanded or split.
    const std::string tricky = "a b; $(touch /tmp/tovik-never) \"q\" `id`";
    const TKCommandResult echoed = runner.run({"sh", "-c", "printf '%s\\n' \"$0\"; exit 3", tricky}, false);
    EXPECT_EQ(echoed.errorNumber, TKCommandError::kFailed);
    EXPECT_EQ(echoed.errorMessage, "sh failed (exit status 3): " + tricky);

    const TKCommandResult readOnly =
        runner.run({"sh", "-c", "echo 'open /dev/sdb1: Read-only file system' >&2; exit 1"}, false);
    EXPECT_EQ(readOnly.errorNumber, TKCommandError::kWriteProtected);

    const TKCommandResult missing = runner.run({"tovik-no-such-program"}, false);
    EXPECT_EQ(missing.errorNumber, TKCommandError::kNotStarted);
    EXPECT_THAT(missing.errorMessage, HasSubstr("tovik-no-such-program is not installed"));
    EXPECT_EQ(runner.run({}, false).errorNumber, TKCommandError::kNotStarted);
}

TEST(TKProcessCommandRunnerTest, AdministratorRunsDirectlyWhenAlreadyRoot)
{
    if (geteuid() != 0)
        GTEST_SKIP() << "not root: an administrator run would open a pkexec password prompt";
    EXPECT_TRUE(TKProcessCommandRunner().run({"sh", "-c", "test \"$(id -u)\" = 0"}, true).succeeded());
}

TEST(TKProcessCommandRunnerTest, FindsSystemProgramsOutsideTheUsersPath)
{
    if (TKProcessCommandRunner::findProgram("mkfs.fat").isEmpty())
        GTEST_SKIP() << "dosfstools is not installed";
    EXPECT_TRUE(TKProcessCommandRunner::findProgram("mkfs.fat").startsWith('/'));
}

} // namespace
