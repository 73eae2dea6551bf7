// Writes a small demo card with the real generator and checks it as the
// viewer, ffprobe and mpv will see it; the data tracks of a full card are
// compared sample by sample in DemoEndToEndTest.
#include "blackbox/VRDBlackBoxData.h"
#include "demo/DemoCardPlan.h"
#include "demo/DemoMorning.h"
#include "demo/DemoCutOffEvent.h"
#include "demo/FrameNumberStrip.h"

#include "ProgramRun.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QProcess>

#include <set>

namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr int kSeconds = 3;
constexpr int kWidth = 320;
constexpr int kHeight = 180;
constexpr int kFps = 15;

QString generator()
{
    return builtProgram("demo/tovik-demo-card");
}

std::optional<std::uint32_t> frameNumberAt(const QString &path, const QString &seconds, Bytes *picture = nullptr)
{
    const ProgramRun extract = runProgram("ffmpeg", {"-v", "error", "-ss", seconds, "-i", path, "-frames:v", "1", "-f", "rawvideo",
                                       "-pix_fmt", "rgb24", "pipe:1"});
    if (extract.exitCode != 0 || extract.out.size() != kWidth * kHeight * 3)
        return std::nullopt;
    if (picture)
        picture->assign(extract.out.begin(), extract.out.end());
    return FrameNumberStrip::decode(reinterpret_cast<const std::uint8_t *>(extract.out.constData()), kWidth, kHeight,
                                    kWidth * 3);
}

} // namespace

class DemoCard : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        s_card = qEnvironmentVariable("TOVIK_TEST_TMP") + "/demo-card";
        QDir(s_card).removeRecursively();
        s_generated = runProgram(generator(), {s_card, "--duration", QString::number(kSeconds), "--width", QString::number(kWidth),
                                        "--height", QString::number(kHeight), "--fps", QString::number(kFps)});
    }

    void SetUp() override
    {
        ASSERT_EQ(s_generated.exitCode, 0) << s_generated.err.toStdString();
    }

    static QString pathOf(const std::string &relativePath) { return s_card + "/" + QString::fromStdString(relativePath); }

    static inline QString s_card;
    static inline ProgramRun s_generated;
    const DemoCardPlan m_plan{{.durationSeconds = kSeconds, .count = DemoCardPlan::kStandardRecordingCount, .seed = 1}};
};

TEST_F(DemoCard, HoldsEveryKindPairsAndOddFiles)
{
    std::set<std::string> prefixes;
    for (const auto &recording : m_plan.recordings()) {
        EXPECT_TRUE(QFileInfo(pathOf(recording.relativePath)).isFile()) << recording.relativePath;
        const std::string name = QFileInfo(pathOf(recording.relativePath)).fileName().toStdString();
        prefixes.insert(name.substr(0, name.find('_') + 1));
    }
    EXPECT_EQ(prefixes, (std::set<std::string>{"alwa_", "motion_", "event_", "evtA_", "evtF_", "evtLL_", "evtLR_"}));
    EXPECT_TRUE(QFileInfo(s_card + "/EVENT/evtF_20240315_081215_R.MP4").isFile());
    // The last recording is a front file without rear twin.
    EXPECT_TRUE(QFileInfo(s_card + "/alwa_20240315_081224_F.MP4").isFile());
    EXPECT_FALSE(QFileInfo(s_card + "/alwa_20240315_081224_R.MP4").exists());
    for (const auto &odd : m_plan.oddFiles())
        EXPECT_TRUE(QFileInfo(pathOf(odd.relativePath)).isFile()) << odd.relativePath;
    std::set<std::string> planned;
    for (const auto &recording : m_plan.recordings())
        planned.insert(recording.relativePath);
    const DemoMorning morning(kSeconds, 1);
    for (const auto &recording : morning.recordings())
        planned.insert(recording.relativePath);
    for (const auto &odd : m_plan.oddFiles())
        planned.insert(odd.relativePath);
    const DemoCutOffEvent crash(m_plan);
    for (const auto &recording : crash.recordings())
        planned.insert(recording.relativePath);
    std::set<std::string> written;
    QDirIterator videos(s_card, {"*.mp4", "*.mov"}, QDir::Files, QDirIterator::Subdirectories);
    while (videos.hasNext())
        written.insert(QDir(s_card).relativeFilePath(videos.next()).toStdString());
    EXPECT_EQ(written, planned);
}

TEST_F(DemoCard, RecordingsPlayInFfprobeAndMpv)
{
    for (const char *name : {"event_20240315_081209_F.MP4", "EVENT/evtF_20240315_081215_R.MP4"}) {
        const QString path = pathOf(name);
        const ProgramRun probe = runProgram("ffprobe", {"-v", "error", "-show_entries", "stream=codec_type,codec_name", "-of", "csv=p=0", path});
        EXPECT_EQ(probe.exitCode, 0) << name;
        EXPECT_TRUE(probe.err.isEmpty()) << name << ": " << probe.err.toStdString();
        EXPECT_EQ(probe.out.split('\n').mid(0, 2), (QByteArrayList{"h264,video", "aac,audio"})) << name;
    }
    const ProgramRun play = runProgram("mpv", {"--no-config", "--vo=null", "--ao=null", "--frames=30", pathOf("event_20240315_081209_F.MP4")});
    EXPECT_EQ(play.exitCode, 0) << play.out.toStdString();
}

TEST_F(DemoCard, EveryFrameCarriesItsNumber)
{
    Bytes front;
    Bytes rear;
    EXPECT_EQ(frameNumberAt(pathOf("alwa_20240315_081200_F.MP4"), "1.0", &front), 1u * kFps);
    EXPECT_EQ(frameNumberAt(pathOf("alwa_20240315_081200_R.MP4"), "2.0", &rear), 2u * kFps);
    EXPECT_EQ(frameNumberAt(pathOf("event_20240315_081209_F.MP4"), "0"), 0u);
    ASSERT_FALSE(front.empty());
    ASSERT_FALSE(rear.empty());
    // Front pictures are blue above, rear pictures red.
    const std::size_t topLeft = (10 * kWidth + 150) * 3;
    EXPECT_GT(front[topLeft + 2], front[topLeft]);
    EXPECT_GT(rear[topLeft], rear[topLeft + 2]);
}

TEST_F(DemoCard, HoldsAnEventCutOffByAPowerLossThatCanBeRecovered)
{
    const DemoCutOffEvent crash(m_plan);
    for (const auto &recording : crash.recordings()) {
        const QString path = pathOf(recording.relativePath);
        const QByteArray complaints = runProgram("ffprobe", {"-v", "error", path}).err;
        VRDBlackBoxData data;
        if (!recording.cutOff) {
            EXPECT_TRUE(complaints.isEmpty()) << recording.relativePath << ": " << complaints.toStdString();
            EXPECT_TRUE(data.ExtractStreamInformation(path.toStdString()));
            EXPECT_EQ(data.Times().size(), crash.samplesOf(recording).size());
            continue;
        }
        EXPECT_TRUE(DemoCutOffEvent::isCutOff(QFileInfo(path).fileName().toStdString()));
        EXPECT_FALSE(complaints.isEmpty()) << recording.relativePath << " plays although it was cut off";
        EXPECT_FALSE(data.ExtractStreamInformation(path.toStdString()));
    }

    const QString recovered = s_card + "/recovered-event/" + QString::fromUtf8(DemoCutOffEvent::kCutOffFront.data(),
                                                                             DemoCutOffEvent::kCutOffFront.size());
    const ProgramRun repair = runProgram(builtProgram("src/cli/tovik"),
                                     {"repair", pathOf(std::string(DemoCutOffEvent::kCutOffFront)), "--out", recovered});
    ASSERT_EQ(repair.exitCode, 0) << repair.err.toStdString();
    EXPECT_TRUE(runProgram("ffprobe", {"-v", "error", recovered}).err.isEmpty());
    EXPECT_EQ(runProgram("mpv", {"--no-config", "--vo=null", "--ao=null", recovered}).exitCode, 0);
    // Cut in the middle of the video sample at 60 %: the frames and samples before it come back.
    VRDBlackBoxData data;
    ASSERT_TRUE(data.ExtractStreamInformation(recovered.toStdString()));
    const std::vector<BlackBoxSample> written = crash.samplesOf(crash.recordings()[2]);
    EXPECT_NEAR(static_cast<double>(data.Times().size()), 0.6 * static_cast<double>(written.size()), 2.0);
    for (std::size_t i = 0; i < data.Times().size(); ++i)
        EXPECT_EQ(data.Times()[i], written[i].time);
    EXPECT_EQ(frameNumberAt(recovered, "1.0"), 1u * kFps);
}

TEST(DemoCardGenerator, WritesDataOnlyCardsAndRejectsBadArguments)
{
    const QString card = qEnvironmentVariable("TOVIK_TEST_TMP") + "/data-only-card";
    QDir(card).removeRecursively();
    const ProgramRun quick = runProgram(generator(), {card, "--no-video", "--count", "40", "--duration", "1"});
    ASSERT_EQ(quick.exitCode, 0) << quick.err.toStdString();
    const DemoCardPlan plan({.durationSeconds = 1, .count = 40, .seed = 1});
    ASSERT_EQ(plan.recordings().size(), 40u);
    const auto &last = plan.recordings().back();
    // The viewer's own reader finds the data track without any video around it.
    VRDBlackBoxData data;
    ASSERT_TRUE(data.ExtractStreamInformation((card + "/" + QString::fromStdString(last.relativePath)).toStdString()));
    ASSERT_EQ(data.Times().size(), 10u);
    EXPECT_EQ(data.Times()[9], plan.samplesOf(last)[9].time);

    const ProgramRun odd = runProgram(generator(), {card, "--width", "641"});
    EXPECT_EQ(odd.exitCode, 1);
    EXPECT_TRUE(odd.err.contains("--width")) << odd.err.toStdString();
    EXPECT_EQ(runProgram(generator(), {}).exitCode, 1);
    EXPECT_EQ(runProgram(generator(), {card, "--count", "many"}).exitCode, 1);
}
