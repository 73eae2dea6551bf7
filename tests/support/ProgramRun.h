#pragma once

// Runs one of our programs or a real tool to its end and keeps what it printed.
#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QStringList>

struct ProgramRun {
    // -1 when the program did not start, crashed or did not finish in time.
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

inline ProgramRun runProgram(const QString &program, const QStringList &arguments, int timeoutMs = 300000)
{
    QProcess process;
    process.start(program, arguments);
    ProgramRun result;
    if (!process.waitForFinished(timeoutMs) || process.exitStatus() != QProcess::NormalExit)
        return result;
    result.exitCode = process.exitCode();
    result.out = process.readAllStandardOutput();
    result.err = process.readAllStandardError();
    return result;
}

// A program of this build, by its path below the build folder ("src/cli/tovik").
inline QString builtProgram(const QString &relativePath)
{
    return qEnvironmentVariable("TOVIK_BUILD_DIR") + "/" + relativePath;
}
