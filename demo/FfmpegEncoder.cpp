#include "demo/FfmpegEncoder.h"

#include <QProcess>

#include <vector>

namespace {

// Keeps at most a few frames queued in the pipe, so memory stays small for
// long, large recordings.
constexpr qint64 kMaxQueuedFrames = 4;

QString failure(QProcess &ffmpeg, const QString &what)
{
    ffmpeg.kill();
    ffmpeg.waitForFinished(-1);
    const QString details = QString::fromLocal8Bit(ffmpeg.readAllStandardError()).trimmed();
    return details.isEmpty() ? what : what + ": " + details;
}

} // namespace

QStringList FfmpegEncoder::qualityArguments(const Quality &quality)
{
    QStringList arguments;
    if (quality.cameraNoise)
        arguments << "-vf" << "noise=alls=20:allf=t+u";
    if (quality.bitrateKbps > 0) {
        const QString rate = QString("%1k").arg(quality.bitrateKbps);
        arguments << "-b:v" << rate << "-maxrate" << rate << "-bufsize" << QString("%1k").arg(2 * quality.bitrateKbps);
    } else {
        arguments << "-crf" << "23";
    }
    return arguments;
}

QString FfmpegEncoder::encode(const DemoPicturePainter &painter, int frameCount, int framesPerSecond, int toneHz,
                              const QString &outputPath, const Quality &quality)
{
    const double seconds = static_cast<double>(frameCount) / framesPerSecond;
    QStringList arguments{
        "-hide_banner", "-loglevel", "error", "-nostdin", "-y",
        "-f", "rawvideo", "-pix_fmt", "rgb24",
        "-video_size", QString("%1x%2").arg(painter.width()).arg(painter.height()),
        "-framerate", QString::number(framesPerSecond), "-i", "pipe:0",
        "-f", "lavfi", "-i", QString("sine=frequency=%1:sample_rate=48000").arg(toneHz),
        "-map", "0:v", "-map", "1:a", "-t", QString::number(seconds, 'f', 3),
        "-c:v", "libx264", "-preset", "ultrafast", "-pix_fmt", "yuv420p",
        "-g", QString::number(framesPerSecond),
        "-c:a", "aac", "-b:a", "64k",
    };
    arguments << qualityArguments(quality) << outputPath;
    QProcess ffmpeg;
    ffmpeg.setProcessChannelMode(QProcess::SeparateChannels);
    ffmpeg.start("ffmpeg", arguments);
    if (!ffmpeg.waitForStarted(-1))
        return "cannot start ffmpeg: " + ffmpeg.errorString();

    std::vector<std::uint8_t> frame;
    const auto frameBytes = static_cast<qint64>(painter.frameBytes());
    for (int number = 0; number < frameCount; ++number) {
        painter.paint(static_cast<std::uint32_t>(number), frame);
        if (ffmpeg.write(reinterpret_cast<const char *>(frame.data()), frameBytes) != frameBytes)
            return failure(ffmpeg, "ffmpeg stopped taking frames");
        while (ffmpeg.bytesToWrite() > kMaxQueuedFrames * frameBytes) {
            if (!ffmpeg.waitForBytesWritten(-1))
                return failure(ffmpeg, "ffmpeg stopped taking frames");
        }
    }
    ffmpeg.closeWriteChannel();
    if (!ffmpeg.waitForFinished(-1))
        return failure(ffmpeg, "ffmpeg did not finish");
    if (ffmpeg.exitStatus() != QProcess::NormalExit || ffmpeg.exitCode() != 0) {
        const QString details = QString::fromLocal8Bit(ffmpeg.readAllStandardError()).trimmed();
        return QString("ffmpeg failed (exit code %1): %2").arg(ffmpeg.exitCode()).arg(details);
    }
    return {};
}
