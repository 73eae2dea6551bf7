#include "demo/DemoCardGenerator.h"

#include "demo/BlackBoxRecordWriter.h"
#include "demo/CameraLayoutRewriter.h"
#include "demo/DemoCutOffEvent.h"
#include "demo/FfmpegEncoder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <stdexcept>

namespace {

constexpr int kFrontToneHz = 440;
constexpr int kRearToneHz = 660;

} // namespace

DemoCardGenerator::DemoCardGenerator(const DemoCardOptions &options)
    : m_options(options), m_plan(options.plan), m_morning(options.plan.durationSeconds, options.plan.seed)
{
}

std::size_t DemoCardGenerator::recordingCount() const
{
    return m_plan.recordings().size() + (m_options.withMorning ? m_morning.recordings().size() : 0);
}

QString DemoCardGenerator::writeRecordings()
{
    if (!QDir().mkpath(m_options.outputDirectory))
        return "cannot make the folder " + m_options.outputDirectory;
    if (m_options.withVideo) {
        if (QString error = encodeStreams(); !error.isEmpty())
            return error;
    }
    std::vector<std::uint8_t> firstRecording;
    for (const DemoCardPlan::Recording &recording : m_plan.recordings()) {
        if (QString error = writeRecording(recording, m_plan.samplesOf(recording), firstRecording.empty() ? &firstRecording : nullptr);
            !error.isEmpty())
            return error;
    }
    if (m_options.withMorning) {
        for (const DemoCardPlan::Recording &recording : m_morning.recordings()) {
            if (QString error = writeRecording(recording, m_morning.samplesOf(recording)); !error.isEmpty())
                return error;
        }
    }
    for (const DemoCardPlan::OddFile &odd : m_plan.oddFiles()) {
        if (QString error = writeFile(odd.relativePath, firstRecording); !error.isEmpty())
            return error;
    }
    return writeCutOffEvent();
}

QString DemoCardGenerator::writeCutOffEvent() const
{
    if (!m_options.withVideo || !DemoCutOffEvent::onCard(m_options.plan))
        return {};
    try {
        DemoCutOffEvent(m_plan).write(m_options.outputDirectory.toStdString(), m_encoded);
    } catch (const std::exception &failure) {
        return QString("cannot write the cut-off event: %1").arg(failure.what());
    }
    return {};
}

QString DemoCardGenerator::encodeStreams()
{
    QTemporaryDir scratch;
    if (!scratch.isValid())
        return "cannot make a temporary folder: " + scratch.errorString();
    const int frameCount = m_plan.durationSeconds() * m_options.framesPerSecond;
    for (const DemoCardPlan::Recording &recording : m_plan.recordings()) {
        if (m_encoded.contains(recording.camera))
            continue;
        const bool front = recording.camera == DemoCardPlan::Camera::Front;
        const DemoPicturePainter painter(front ? DemoPicturePainter::Camera::Front : DemoPicturePainter::Camera::Rear,
                                         m_options.width, m_options.height, m_options.framesPerSecond);
        const QString path = scratch.filePath(front ? "front.mp4" : "rear.mp4");
        if (QString error = FfmpegEncoder::encode(painter, frameCount, m_options.framesPerSecond,
                                                  front ? kFrontToneHz : kRearToneHz, path);
            !error.isEmpty())
            return error;
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            return "cannot read ffmpeg's output " + path + ": " + file.errorString();
        const QByteArray bytes = file.readAll();
        m_encoded[recording.camera] = std::vector<std::uint8_t>(bytes.begin(), bytes.end());
    }
    return {};
}

QString DemoCardGenerator::writeRecording(const DemoCardPlan::Recording &recording, const std::vector<BlackBoxSample> &samples,
                                          std::vector<std::uint8_t> *bytesOut) const
{
    std::vector<std::uint8_t> bytes;
    try {
        bytes = recordingBytes(recording, samples);
    } catch (const std::exception &failure) {
        return QString("cannot lay out %1: %2").arg(QString::fromStdString(recording.relativePath), failure.what());
    }
    if (QString error = writeFile(recording.relativePath, bytes); !error.isEmpty())
        return error;
    if (bytesOut != nullptr)
        *bytesOut = std::move(bytes);
    return {};
}

std::vector<std::uint8_t> DemoCardGenerator::recordingBytes(const DemoCardPlan::Recording &recording,
                                                            const std::vector<BlackBoxSample> &samples) const
{
    std::vector<std::vector<std::uint8_t>> chunks;
    for (const BlackBoxSample &sample : samples)
        chunks.push_back(BlackBoxRecordWriter::encodeChunk(sample));
    const auto durationMs = static_cast<std::uint32_t>(m_plan.durationSeconds()) * 1000;
    if (!m_options.withVideo)
        return CameraLayoutRewriter::dataOnly(chunks, durationMs);
    return CameraLayoutRewriter::rewrite(m_encoded.at(recording.camera), chunks, durationMs);
}

QString DemoCardGenerator::writeFile(const std::string &relativePath, const std::vector<std::uint8_t> &bytes) const
{
    const QString path = QDir(m_options.outputDirectory).filePath(QString::fromStdString(relativePath));
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return "cannot make the folder for " + path;
    // A plain write: syncing each of thousands of demo files would take minutes.
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return "cannot write " + path + ": " + file.errorString();
    const auto size = static_cast<qint64>(bytes.size());
    if (file.write(reinterpret_cast<const char *>(bytes.data()), size) != size || !file.flush())
        return "cannot write " + path + ": " + file.errorString();
    return {};
}
