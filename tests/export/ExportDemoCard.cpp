#include "ExportDemoCard.h"

#include "demo/FrameNumberStrip.h"

const ExportDemoCard &ExportDemoCard::instance()
{
    static const ExportDemoCard card;
    return card;
}

ExportDemoCard::ExportDemoCard()
    : m_root(qEnvironmentVariable("TOVIK_TEST_TMP") + "/export-card")
{
    QDir(m_root).removeRecursively();
    QProcess generator;
    generator.start(qEnvironmentVariable("TOVIK_BUILD_DIR") + "/demo/tovik-demo-card",
                    {m_root, "--duration", QString::number(kSeconds), "--width", QString::number(kWidth), "--height",
                     QString::number(kHeight), "--fps", QString::number(kFps)});
    m_ok = generator.waitForFinished(180000) && generator.exitCode() == 0;
}

std::vector<std::optional<std::uint32_t>> ExportDemoCard::frameNumbers(const QString &video, int width, int height)
{
    QProcess ffmpeg;
    ffmpeg.start("ffmpeg", {"-v", "error", "-i", video, "-map", "0:v:0", "-vsync", "passthrough", "-f", "rawvideo", "-pix_fmt",
                            "rgb24", "pipe:1"});
    std::vector<std::optional<std::uint32_t>> numbers;
    if (!ffmpeg.waitForFinished(180000) || ffmpeg.exitCode() != 0)
        return numbers;
    const QByteArray pictures = ffmpeg.readAllStandardOutput();
    const qsizetype frameBytes = static_cast<qsizetype>(width) * height * 3;
    for (qsizetype at = 0; at + frameBytes <= pictures.size(); at += frameBytes)
        numbers.push_back(FrameNumberStrip::decode(reinterpret_cast<const std::uint8_t *>(pictures.constData() + at), width,
                                                   height, static_cast<std::size_t>(width) * 3));
    return numbers;
}
