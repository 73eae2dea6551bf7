// The channels of an export, cut without re-encoding: their pictures are
// the original frames in order, their data track is the original samples
// of the same span, and other programs and the viewer's library read them.
#include "ExportDemoCard.h"

#include "blackbox/VRDBlackBoxData.h"
#include "export/VRDClipSamples.h"
#include "media/VRDMediaWalker.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QProcess>

namespace {

QString tovik()
{
    return qEnvironmentVariable("TOVIK_BUILD_DIR") + "/src/cli/tovik";
}

QString exportClip(const QString &name, const QString &file, double from, double to)
{
    const QString out = qEnvironmentVariable("TOVIK_TEST_TMP") + "/" + name;
    QDir(out).removeRecursively();
    QProcess process;
    process.start(tovik(), {"export", file, "--from", QString::number(from), "--to", QString::number(to), "--out", out});
    EXPECT_TRUE(process.waitForFinished(120000));
    EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
    return out;
}

std::vector<std::optional<std::uint32_t>> expectedFrames(std::initializer_list<std::pair<int, int>> runs)
{
    std::vector<std::optional<std::uint32_t>> frames;
    for (const auto &[first, last] : runs) {
        for (int n = first; n <= last; ++n)
            frames.push_back(static_cast<std::uint32_t>(n));
    }
    return frames;
}

std::vector<std::uint32_t> times(const std::string &path)
{
    VRDBlackBoxData data;
    EXPECT_TRUE(data.ExtractStreamInformation(path)) << path;
    return data.snapshot()->Times;
}

std::vector<std::int32_t> rawX(const std::string &path)
{
    VRDBlackBoxData data;
    data.ExtractStreamInformation(path);
    const auto samples = data.snapshot();
    std::vector<std::int32_t> values;
    for (const VRDAviGSensorData &raw : samples->vGSensorData)
        values.push_back(raw.data.X);
    return values;
}

void expectReadSilently(const QString &path)
{
    QProcess ffprobe;
    ffprobe.start("ffprobe", {"-v", "error", "-show_streams", "-show_format", path});
    ASSERT_TRUE(ffprobe.waitForFinished(60000));
    EXPECT_EQ(ffprobe.exitCode(), 0);
    EXPECT_EQ(ffprobe.readAllStandardError(), QByteArray()) << path.toStdString();
    QProcess mpv;
    mpv.start("mpv", {"--no-config", "--vo=null", "--ao=null", "--really-quiet", "--msg-level=all=error", path});
    ASSERT_TRUE(mpv.waitForFinished(60000));
    EXPECT_EQ(mpv.exitCode(), 0);
    EXPECT_EQ(mpv.readAllStandardError() + mpv.readAllStandardOutput(), QByteArray()) << path.toStdString();
}

} // namespace

TEST(LosslessExport, ChannelsHoldTheOriginalFramesFromTheKeyFrameToTheOutPoint)
{
    const ExportDemoCard &card = ExportDemoCard::instance();
    ASSERT_TRUE(card.ok());
    const QString out = exportClip("lossless", card.path("event_20240315_081212_F.MP4"), 1.5, 3.5);
    constexpr int kFps = ExportDemoCard::kFps;
    for (const char *camera : {"F", "R"}) {
        SCOPED_TRACE(camera);
        const QString path = out + "/event_20240315_081213_" + camera + ".MP4";
        // In point 1.5 s is frame 22; its key frame is frame 15 (one a
        // second). The out point 3.5 s shows frame 52.
        const auto frames = ExportDemoCard::frameNumbers(path, ExportDemoCard::kWidth, ExportDemoCard::kHeight);
        EXPECT_EQ(frames, expectedFrames({{15, 52}}));
        ASSERT_FALSE(frames.empty());
        EXPECT_LE(22 - static_cast<int>(frames.front().value_or(0)), kFps);
        expectReadSilently(path);

        // The data track: the original samples from 1.0 s to 3.533 s.
        const std::string original = card.path(QString("event_20240315_081212_%1.MP4").arg(camera)).toStdString();
        const std::vector<std::int32_t> all = rawX(original);
        const auto [first, last] = VRDClipSamples::sampleRange(all.size(), ExportDemoCard::kSeconds, 1.0, 53.0 / kFps);
        EXPECT_EQ(rawX(path.toStdString()), std::vector<std::int32_t>(all.begin() + first, all.begin() + last));
        EXPECT_EQ(times(path.toStdString()).size(), last - first);
    }

    // The viewer's library lists the two files and pairs them.
    const VRDMediaCatalog catalog = VRDMediaWalker::walk(out.toStdString());
    ASSERT_EQ(catalog.count(), 2u);
    const auto pair = catalog.findMediaPairWithFileName("event_20240315_081213_F.MP4");
    ASSERT_TRUE(pair);
    EXPECT_TRUE(pair->frontMedia && pair->rearMedia);
}

TEST(LosslessExport, JoinedClipRunsOnIntoTheNextRecordingWithoutAGapOrRepeat)
{
    const ExportDemoCard &card = ExportDemoCard::instance();
    ASSERT_TRUE(card.ok());
    // 3.0 s of the event recording (4 s long) to 1.5 s into evtA.
    const QString out = exportClip("joined", card.path("event_20240315_081212_F.MP4"), 3.0, 5.5);
    const QString path = out + "/event_20240315_081215_F.MP4";
    EXPECT_EQ(ExportDemoCard::frameNumbers(path, ExportDemoCard::kWidth, ExportDemoCard::kHeight),
              expectedFrames({{45, 59}, {0, 22}}));
    expectReadSilently(path);
    const std::vector<std::int32_t> before = rawX(card.path("event_20240315_081212_F.MP4").toStdString());
    const std::vector<std::int32_t> after = rawX(card.path("evtA_20240315_081216_F.MP4").toStdString());
    std::vector<std::int32_t> expected(before.begin() + 30, before.end());
    expected.insert(expected.end(), after.begin(), after.begin() + 16);
    EXPECT_EQ(rawX(path.toStdString()), expected);
}
