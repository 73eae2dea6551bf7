#include "cli/ExportCommand.h"

#include "cli/CliArguments.h"
#include "cli/CliOutput.h"
#include "export/VRDClipExporter.h"
#include "maps/TKMapSource.h"

#include <QCoreApplication>
#include <QFile>

extern "C" {
#include <libavutil/log.h>
}

#include <atomic>
#include <csignal>
#include <thread>

namespace cli {

namespace {

// Ctrl-C or a terminate request cancels the export, which then removes
// what it had written. The signals are taken by a thread of their own
// (sigtimedwait), so no handler touches shared state.
class CancelOnSignal {
public:
    explicit CancelOnSignal(std::atomic<bool> &cancel)
    {
        sigemptyset(&m_signals);
        sigaddset(&m_signals, SIGINT);
        sigaddset(&m_signals, SIGTERM);
        pthread_sigmask(SIG_BLOCK, &m_signals, &m_previous);
        m_watcher = std::thread([this, &cancel] {
            const timespec wait{0, 100 * 1000 * 1000};
            while (!m_done.load()) {
                if (sigtimedwait(&m_signals, nullptr, &wait) > 0)
                    cancel = true;
            }
        });
    }
    ~CancelOnSignal()
    {
        m_done = true;
        m_watcher.join();
        pthread_sigmask(SIG_SETMASK, &m_previous, nullptr);
    }
    CancelOnSignal(const CancelOnSignal &) = delete;
    CancelOnSignal &operator=(const CancelOnSignal &) = delete;

private:
    sigset_t m_signals{};
    sigset_t m_previous{};
    std::atomic<bool> m_done = false;
    std::thread m_watcher;
};

std::optional<double> seconds(const QString &text)
{
    bool ok = false;
    const double value = text.toDouble(&ok);
    return ok ? std::optional<double>(value) : std::nullopt;
}

} // namespace

bool exportNeedsGui(const QStringList &arguments)
{
    return arguments.contains("--side-by-side") || arguments.contains("--report");
}

int runExport(const QStringList &arguments)
{
    QCommandLineParser parser;
    const QCommandLineOption fromOption("from", "start of the clip, seconds from FILE's start", "SECONDS");
    const QCommandLineOption toOption("to", "end of the clip, seconds from FILE's start (may run into the next recording)", "SECONDS");
    const QCommandLineOption outOption("out", "folder to write into (made when missing; not the recordings' own)", "DIR");
    const QCommandLineOption sideBySideOption("side-by-side", "also write the front with the rear inset as one H.264 video");
    const QCommandLineOption reportOption("report", "also write the incident report (PDF)");
    const QCommandLineOption forceOption("force", "replace files of the same names in DIR");
    const std::optional<QString> file = parseSingleArgument(parser, arguments, {
        "Export a clip of a recording and its twin without re-encoding, with their data, the track as GPX and CSV, "
        "and manifest.json with the SHA-256 of every file.",
        "FILE", "either channel's recording",
        {fromOption, toOption, outOption, sideBySideOption, reportOption, forceOption}});
    if (!file)
        return fail("export takes exactly one recording (see 'tovik export --help')");
    if (!parser.isSet(fromOption) || !parser.isSet(toOption) || !parser.isSet(outOption))
        return fail("export needs --from, --to and --out (see 'tovik export --help')");
    const std::optional<double> from = seconds(parser.value(fromOption));
    const std::optional<double> to = seconds(parser.value(toOption));
    if (!from || !to)
        return fail("bad range: --from and --to take seconds, such as 2 or 2.5");

    // Every failure is told in one line of our own; libav's own messages would add more.
    av_log_set_level(AV_LOG_QUIET);
    VRDClipExporter::Request request;
    request.file = QFile::encodeName(*file).toStdString();
    request.from = *from;
    request.to = *to;
    request.directory = QFile::encodeName(parser.value(outOption)).toStdString();
    request.sideBySide = parser.isSet(sideBySideOption);
    request.report = parser.isSet(reportOption);
    request.force = parser.isSet(forceOption);
    request.version = QCoreApplication::applicationVersion().toStdString();
    // The report's map comes from the tiles the viewer keeps, as it chose them.
    request.mapSource = TKMapSource::viewerChoice();

    std::atomic<bool> cancel = false;
    VRDClipExporter::Outcome outcome;
    {
        const CancelOnSignal watcher(cancel);
        outcome = VRDClipExporter::run(request, {{}, &cancel});
    }
    if (!outcome.ok)
        return fail(QString::fromStdString(outcome.error));
    for (const std::string &path : outcome.written)
        printLine(QFile::decodeName(path.c_str()));
    return kExitOk;
}

} // namespace cli
