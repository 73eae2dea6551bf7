#include "demo/DemoCardOptions.h"

#include <QCommandLineParser>

namespace {

bool readNumber(const QCommandLineParser &parser, const QString &name, long long minimum, long long maximum,
                long long &value, QString &error)
{
    if (!parser.isSet(name))
        return true;
    bool ok = false;
    const long long number = parser.value(name).toLongLong(&ok);
    if (!ok || number < minimum || number > maximum) {
        error = QString("--%1 must be a whole number from %2 to %3").arg(name).arg(minimum).arg(maximum);
        return false;
    }
    value = number;
    return true;
}

} // namespace

std::optional<DemoCardOptions> DemoCardOptions::parse(const QStringList &arguments, QString &error)
{
    QCommandLineParser parser;
    parser.setApplicationDescription("Writes a folder that looks like the SD card of a Tovik dashcam: front and rear "
                                     "recordings of every kind with an embedded drive through Munich.");
    parser.addHelpOption();
    parser.addPositionalArgument("OUTDIR", "Folder to write the card into (made if missing).");
    parser.addOptions({
        {"duration", "Length of each recording in seconds (default 10).", "SECONDS"},
        {"width", "Picture width, even (default 640).", "W"},
        {"height", "Picture height, even (default 360).", "H"},
        {"count", "Number of recording files, and no morning drives (default: every kind once in 17 files, "
                  "then a morning of two drives, a parking span and an event).", "N"},
        {"fps", "Frames per second (default 30).", "F"},
        {"seed", "Seed of the sensor noise (default 1).", "S"},
        {"no-video", "Write recordings that hold only the data track, without running ffmpeg."},
        {"no-morning", "Leave out the morning of driving."},
        {"front-only", "Write no rear camera files: every recording is a moment of its own."},
    });
    parser.process(arguments);

    const QStringList positional = parser.positionalArguments();
    if (positional.size() != 1) {
        error = "give exactly one output folder (see --help)";
        return std::nullopt;
    }
    DemoCardOptions options;
    options.outputDirectory = positional.front();
    options.withVideo = !parser.isSet("no-video");
    options.withMorning = !parser.isSet("no-morning") && !parser.isSet("count");
    options.plan.frontOnly = parser.isSet("front-only");

    long long duration = options.plan.durationSeconds;
    long long count = options.plan.count;
    long long seed = static_cast<long long>(options.plan.seed);
    long long width = options.width;
    long long height = options.height;
    long long fps = options.framesPerSecond;
    if (!readNumber(parser, "duration", 1, 3600, duration, error) || !readNumber(parser, "count", 1, 100000, count, error)
        || !readNumber(parser, "seed", 0, LLONG_MAX, seed, error) || !readNumber(parser, "width", 64, 7680, width, error)
        || !readNumber(parser, "height", 32, 4320, height, error) || !readNumber(parser, "fps", 1, 120, fps, error))
        return std::nullopt;
    if (width % 2 != 0 || height % 2 != 0) {
        error = "--width and --height must be even";
        return std::nullopt;
    }
    options.plan.durationSeconds = static_cast<int>(duration);
    options.plan.count = static_cast<int>(count);
    options.plan.seed = static_cast<std::uint64_t>(seed);
    options.width = static_cast<int>(width);
    options.height = static_cast<int>(height);
    options.framesPerSecond = static_cast<int>(fps);
    return options;
}
