// The shared side-by-side video of a clip of the demo card, checked with
// ffprobe and by the frame numbers its pictures still show.
#include "ExportDemoCard.h"

#include "export/VRDAvInput.h"
#include "export/VRDClipPlanner.h"
#include "export/VRDClipSamples.h"
#include "export/VRDSideBySideExporter.h"
#include "media/VRDMediaWalker.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>

namespace {

VRDClip planClip(const QString &file, double from, double to)
{
    const VRDMediaCatalog catalog = VRDMediaWalker::walk(ExportDemoCard::instance().root().toStdString());
    const VRDClipPlanner planner(catalog, VRDAvInput::probeVideoDuration);
    VRDClipPlanner::Result result = planner.plan(file.toStdString(), from, to);
    EXPECT_TRUE(result.clip) << result.error;
    return result.clip.value_or(VRDClip{});
}

QString probe(const QString &path, const QStringList &what)
{
    QProcess ffprobe;
    ffprobe.start("ffprobe", QStringList{"-v", "error"} + what + QStringList{"-of", "csv=p=0", path});
    ffprobe.waitForFinished(60000);
    EXPECT_EQ(ffprobe.readAllStandardError(), QByteArray()) << path.toStdString();
    return QString::fromUtf8(ffprobe.readAllStandardOutput()).trimmed();
}

} // namespace

TEST(SideBySideExport, JoinedClipRunsFromInToOutPointWithFrontSound)
{
    const ExportDemoCard &card = ExportDemoCard::instance();
    ASSERT_TRUE(card.ok());
    // Second 2.5 of the event recording to second 1.0 of the next one.
    const VRDClip clip = planClip(card.path("event_20240315_081212_F.MP4"), 2.5, 5.0);
    ASSERT_EQ(clip.channels.size(), 2u);
    std::string error;
    const std::optional<VRDClipSamples> samples = VRDClipSamples::read(clip.channels.front().segments, error);
    ASSERT_TRUE(samples) << error;

    const QString out = qEnvironmentVariable("TOVIK_TEST_TMP") + "/pip.mp4";
    std::atomic<bool> cancel = false;
    double lastProgress = 0;
    const VRDExportMonitor monitor{[&](double fraction) { lastProgress = fraction; }, &cancel};
    ASSERT_TRUE(VRDSideBySideExporter::write(clip, *samples, out.toStdString(), {}, monitor, error)) << error;
    EXPECT_EQ(lastProgress, 1.0);

    EXPECT_EQ(probe(out, {"-show_entries", "stream=codec_name", "-select_streams", "v"}), "h264");
    EXPECT_EQ(probe(out, {"-show_entries", "stream=codec_name", "-select_streams", "a"}), "aac");
    // From the picture shown at 2.5 s (frame 37) to the one at 5.0 s, which
    // is frame 15 of the following recording.
    const auto numbers = ExportDemoCard::frameNumbers(out, ExportDemoCard::kWidth, ExportDemoCard::kHeight);
    ASSERT_EQ(numbers.size(), 39u);
    EXPECT_EQ(numbers.front(), 37u);
    EXPECT_EQ(numbers[22], 59u);
    EXPECT_EQ(numbers[23], 0u);
    EXPECT_EQ(numbers.back(), 15u);
}

TEST(SideBySideExport, CancelStopsWithAnError)
{
    const ExportDemoCard &card = ExportDemoCard::instance();
    ASSERT_TRUE(card.ok());
    const VRDClip clip = planClip(card.path("alwa_20240315_081200_R.MP4"), 0.0, 3.0);
    std::atomic<bool> cancel = false;
    const VRDExportMonitor monitor{[&](double fraction) { cancel = fraction > 0.3; }, &cancel};
    std::string error;
    EXPECT_FALSE(VRDSideBySideExporter::write(clip, {}, (qEnvironmentVariable("TOVIK_TEST_TMP") + "/c.mp4").toStdString(), {},
                                              monitor, error));
    EXPECT_EQ(error, "cancelled");
}
