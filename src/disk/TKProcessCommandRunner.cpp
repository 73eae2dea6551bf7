#include "disk/TKProcessCommandRunner.h"

#include "disk/TKCommandExitClassifier.h"
#include "disk/TKDiskLog.h"

#include <QProcess>
#include <QProcessEnvironment>
#include <QStandardPaths>
#include <QtDebug>

#include <unistd.h>

TKProcessCommandRunner::TKProcessCommandRunner(TKFormatHelperInstallation formatHelper)
    : m_formatHelper(std::move(formatHelper))
{
}

QString TKProcessCommandRunner::findProgram(const QString &name)
{
    if (name.startsWith('/'))
        return name;
    const QString inPath = QStandardPaths::findExecutable(name);
    if (!inPath.isEmpty())
        return inPath;
    return QStandardPaths::findExecutable(name, {"/usr/local/sbin", "/usr/sbin", "/sbin"});
}

TKCommandResult TKProcessCommandRunner::run(const std::vector<std::string> &arguments, bool asAdministrator)
{
    TKCommandResult result;
    if (arguments.empty()) {
        result = {TKCommandError::kNotStarted, "no program to run"};
        qCWarning(lcDisk, "ERROR={%d, %s}", result.errorNumber, result.errorMessage.c_str());
        return result;
    }
    const QString name = QString::fromStdString(arguments.front());
    QStringList programArguments;
    for (std::size_t i = 1; i < arguments.size(); ++i)
        programArguments << QString::fromStdString(arguments[i]);

    const bool throughPkexec = asAdministrator && geteuid() != 0;
    const std::optional<std::string> helper = throughPkexec ? m_formatHelper.helperFor(arguments) : std::nullopt;
    const QString program = helper ? QString::fromStdString(*helper) : findProgram(name);
    QString launcher = program;
    if (throughPkexec) {
        launcher = findProgram("pkexec");
        programArguments.prepend(program);
    }

    if (program.isEmpty() || launcher.isEmpty()) {
        const QString missing = program.isEmpty() ? name : QStringLiteral("pkexec");
        result = {TKCommandError::kNotStarted, missing.toStdString() + " is not installed"};
    } else {
        QProcess process;
        // Messages in English, so a read-only medium is recognised whatever the user's language.
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("LC_ALL", "C");
        process.setProcessEnvironment(environment);
        process.setProcessChannelMode(QProcess::MergedChannels);
        process.setStandardInputFile(QProcess::nullDevice());
        process.start(launcher, programArguments);
        if (!process.waitForStarted(-1)) {
            result = {TKCommandError::kNotStarted, "could not start " + name.toStdString() + ": "
                          + process.errorString().toStdString()};
        } else {
            process.waitForFinished(-1);
            const QByteArray output = process.readAll();
            if (process.exitStatus() == QProcess::CrashExit)
                result = {TKCommandError::kFailed, name.toStdString() + " stopped unexpectedly"};
            else
                result = TKClassifyCommandExit(name.toStdString(), process.exitCode(),
                                               std::string_view(output.constData(), output.size()), throughPkexec);
        }
    }
    if (result.succeeded())
        qCInfo(lcDisk, "ERROR={%d, %s}", result.errorNumber, result.errorMessage.c_str());
    else
        qCWarning(lcDisk, "ERROR={%d, %s}", result.errorNumber, result.errorMessage.c_str());
    return result;
}
