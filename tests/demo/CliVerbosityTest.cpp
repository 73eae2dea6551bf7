// The command line keeps the libraries' messages off standard error unless
// --verbose asks for them; its own output stays the same either way.
#include "ProgramRun.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QProcess>
TEST(CliVerbosity, LibraryMessagesShowOnlyWithVerbose)
{
    const QString tovik = builtProgram("src/cli/tovik");
    const QString card = qEnvironmentVariable("TOVIK_TEST_TMP") + "/verbosity-card";
    QDir(card).removeRecursively();
    const ProgramRun generator = runProgram(builtProgram("demo/tovik-demo-card"), {card, "--no-video", "--duration", "1"});
    ASSERT_EQ(generator.exitCode, 0) << generator.err.toStdString();
    const QString recording = card + "/alwa_20240315_081200_F.MP4";

    const ProgramRun quiet = runProgram(tovik, {"telemetry", recording});
    EXPECT_EQ(quiet.exitCode, 0);
    EXPECT_FALSE(quiet.out.isEmpty());
    EXPECT_EQ(quiet.err, "") << "no library chatter without --verbose";

    for (const QStringList &arguments : {QStringList{"--verbose", "telemetry", recording},
                                         QStringList{"telemetry", recording, "--verbose"}}) {
        const ProgramRun verbose = runProgram(tovik, arguments);
        EXPECT_EQ(verbose.exitCode, 0) << arguments.join(' ').toStdString();
        EXPECT_EQ(verbose.out, quiet.out) << "the command's own output does not change";
        EXPECT_TRUE(verbose.err.contains("START")) << "the reader's log lines: " << verbose.err.toStdString();
    }

    const ProgramRun disks = runProgram(tovik, {"disks"});
    EXPECT_EQ(disks.exitCode, 0);
    EXPECT_EQ(disks.err, "") << "the disk service's lines stay quiet without --verbose";

    const ProgramRun failing = runProgram(tovik, {"telemetry", card + "/no-such.MP4"});
    EXPECT_NE(failing.exitCode, 0);
    EXPECT_TRUE(failing.err.contains("no such file")) << "the command's own one-line error shows: " << failing.err.toStdString();
}
