// Whole recoveries: a recording re-laid as the camera streams it is cut at
// offsets inside every kind of sample and right after box headers, and what
// comes back is checked with ffprobe, mpv, the decoded frame numbers and the
// data-track reader against what was fully on the card.
#include "repair/VRDRecordingRepairer.h"

#include "blackbox/VRDBlackBoxData.h"
#include "RepairFixture.h"
#include "TestFolder.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace RepairFixture;
namespace fs = std::filesystem;

namespace {

constexpr const char *kCutName = "event_20240315_081230_F.MP4";
constexpr const char *kReferenceName = "alwa_20240315_081200_F.MP4";

class RecordingRepairer : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        const QString root = qEnvironmentVariable("TOVIK_TEST_TMP");
        s_card = makeCard(root + "/repair-card").toStdString();
        if (s_card.empty())
            return;
        s_healthy = root.toStdString() + "/healthy/" + kCutName;
        interleave(s_card + "/alwa_20240315_081200_F.MP4", s_healthy);
        s_packets = MediaTools::probePackets(QString::fromStdString(s_healthy));
        s_bytes = readFile(s_healthy);
    }

    void SetUp() override
    {
        ASSERT_FALSE(s_card.empty()) << "tovik-demo-card failed";
        ASSERT_FALSE(s_packets.empty());
    }

    // The healthy recording's packets of one stream that lie wholly before `cut`.
    static std::size_t wholeBefore(int stream, std::uint64_t cut)
    {
        std::size_t count = 0;
        for (const auto &packet : MediaTools::packetsOf(s_packets, stream))
            count += static_cast<std::uint64_t>(packet.position + packet.size) <= cut ? 1 : 0;
        return count;
    }

    static const MediaTools::Packet &packet(int stream, std::size_t index)
    {
        static std::vector<MediaTools::Packet> selected[3];
        if (selected[stream].empty())
            selected[stream] = MediaTools::packetsOf(s_packets, stream);
        return selected[stream].at(index);
    }

    // A card folder holding the reference and the recording cut at `cut`.
    std::string cutCard(const std::string &name, std::uint64_t cut)
    {
        const std::string folder = m_folder.path(name);
        fs::create_directories(folder);
        fs::copy_file(s_card + "/" + kReferenceName, folder + "/" + kReferenceName);
        writeFile(folder + "/" + kCutName, s_bytes, static_cast<std::size_t>(cut));
        return folder + "/" + kCutName;
    }

    void expectRecovered(std::uint64_t cut)
    {
        const std::string input = cutCard("cut-" + std::to_string(cut), cut);
        const Bytes before = readFile(input);
        const VRDRepairOutcome outcome = VRDRecordingRepairer::repair({.input = input});
        ASSERT_EQ(outcome.status, VRDRepairOutcome::Status::Recovered) << outcome.error;
        EXPECT_EQ(readFile(input), before) << "the original changed";
        EXPECT_EQ(outcome.output, fs::path(input).parent_path().string() + "/RECOVERED/" + kCutName);
        EXPECT_EQ(fs::path(outcome.reference).filename(), kReferenceName);

        const QString output = QString::fromStdString(outcome.output);
        EXPECT_EQ(MediaTools::probeErrors(output), QByteArray());
        EXPECT_TRUE(MediaTools::playsInMpv(output));

        const std::size_t wholeFrames = wholeBefore(0, cut);
        EXPECT_GE(static_cast<double>(outcome.videoFrames), 0.95 * static_cast<double>(wholeFrames));
        EXPECT_LE(outcome.videoFrames, wholeFrames);
        EXPECT_GE(static_cast<double>(outcome.audioFrames), 0.95 * static_cast<double>(wholeBefore(1, cut)));
        EXPECT_LE(outcome.audioFrames, wholeBefore(1, cut));
        EXPECT_EQ(outcome.dataSamples, wholeBefore(2, cut));
        EXPECT_NEAR(outcome.seconds, static_cast<double>(outcome.videoFrames) / kFps, 0.1);

        const auto numbers = MediaTools::frameNumbers(output, kWidth, kHeight);
        ASSERT_EQ(numbers.size(), outcome.videoFrames);
        for (std::size_t i = 0; i < numbers.size(); ++i)
            EXPECT_EQ(numbers[i], std::optional<std::uint32_t>(static_cast<std::uint32_t>(i))) << "frame " << i;

        VRDBlackBoxData data;
        ASSERT_TRUE(data.ExtractStreamInformation(outcome.output));
        const std::vector<BlackBoxSample> written = samples();
        ASSERT_EQ(data.Times().size(), outcome.dataSamples);
        for (std::size_t i = 0; i < data.Times().size(); ++i) {
            EXPECT_EQ(data.Times()[i], written[i].time) << "sample " << i;
            EXPECT_EQ(data.vGSensorData()[i].data.Y, written[i].gY) << "sample " << i;
        }
    }

    static inline std::string s_card;
    static inline std::string s_healthy;
    static inline std::vector<MediaTools::Packet> s_packets;
    static inline Bytes s_bytes;
    TestFolder m_folder{"repair"};
};

} // namespace

TEST_F(RecordingRepairer, RecoversEveryWholeSampleWhereverThePowerWentOut)
{
    const std::size_t videoFrames = MediaTools::packetsOf(s_packets, 0).size();
    const std::size_t audioFrames = MediaTools::packetsOf(s_packets, 1).size();
    const std::size_t dataSamples = MediaTools::packetsOf(s_packets, 2).size();
    ASSERT_EQ(videoFrames, static_cast<std::size_t>(kSeconds * kFps));
    const auto middle = [](const MediaTools::Packet &p) { return static_cast<std::uint64_t>(p.position + p.size / 2); };
    const auto end = [](const MediaTools::Packet &p) { return static_cast<std::uint64_t>(p.position + p.size); };

    struct Cut {
        const char *where;
        std::uint64_t offset;
    };
    const std::vector<Cut> cuts{
        {"inside a key frame's NAL unit", middle(packet(0, kFps * 2))},
        {"inside a NAL unit", middle(packet(0, videoFrames / 2 + 1))},
        {"inside an audio frame", middle(packet(1, audioFrames / 3))},
        {"inside a data chunk", static_cast<std::uint64_t>(packet(2, dataSamples / 2).position + 100)},
        {"right after a whole video sample", end(packet(0, videoFrames - 5))},
        {"one byte into the last video sample", static_cast<std::uint64_t>(packet(0, videoFrames - 1).position + 1)},
        {"right after the index's box header", s_bytes.size() - (s_bytes.size() - end(packet(2, dataSamples - 1))) + 8},
    };
    for (const Cut &cut : cuts) {
        SCOPED_TRACE(cut.where);
        expectRecovered(cut.offset);
    }
}

TEST_F(RecordingRepairer, TellsWhatCannotBeRecovered)
{
    const std::string healthy = cutCard("healthy", s_bytes.size());
    const VRDRepairOutcome untouched = VRDRecordingRepairer::repair({.input = healthy});
    EXPECT_EQ(untouched.status, VRDRepairOutcome::Status::NotCutOff);
    EXPECT_FALSE(fs::exists(fs::path(healthy).parent_path() / "RECOVERED"));

    const std::string afterMediaHeader = cutCard("media-header", 36);
    const VRDRepairOutcome empty = VRDRecordingRepairer::repair({.input = afterMediaHeader});
    EXPECT_EQ(empty.status, VRDRepairOutcome::Status::Failed);
    EXPECT_NE(empty.error.find("nothing recoverable"), std::string::npos) << empty.error;
    EXPECT_FALSE(fs::exists(fs::path(afterMediaHeader).parent_path() / "RECOVERED" / kCutName));

    const std::string afterFileType = cutCard("file-type", 28);
    EXPECT_NE(VRDRecordingRepairer::repair({.input = afterFileType}).error.find("not the camera's"), std::string::npos);

    const std::string garbage = m_folder.path("garbage_20240315_081230_F.MP4");
    writeFile(garbage, Bytes(5000, 0x5A), 5000);
    const VRDRepairOutcome notCamera = VRDRecordingRepairer::repair({.input = garbage});
    EXPECT_EQ(notCamera.status, VRDRepairOutcome::Status::Failed);
    EXPECT_NE(notCamera.error.find("not the camera's recording"), std::string::npos) << notCamera.error;

    // Without any healthy recording of the front camera beside it.
    const TestFolder lonely("lonely");
    const std::string alone = lonely.path("card/EVENT/" + std::string(kCutName));
    writeFile(alone, s_bytes, s_bytes.size() / 2);
    const VRDRepairOutcome noReference = VRDRecordingRepairer::repair({.input = alone});
    EXPECT_NE(noReference.error.find("no usable reference"), std::string::npos) << noReference.error;
    const VRDRepairOutcome cutReference = VRDRecordingRepairer::repair({.input = alone, .reference = alone});
    EXPECT_NE(cutReference.error.find("cut off itself"), std::string::npos) << cutReference.error;
}

TEST_F(RecordingRepairer, KeepsAnExistingOutputUnlessForced)
{
    const std::string input = cutCard("existing", s_bytes.size() / 2);
    const std::string output = m_folder.path("out/recovered.MP4");
    writeFile(output, Bytes{1, 2, 3}, 3);
    const VRDRepairOutcome refused = VRDRecordingRepairer::repair({.input = input, .output = output});
    EXPECT_EQ(refused.status, VRDRepairOutcome::Status::Failed);
    EXPECT_NE(refused.error.find("exists"), std::string::npos) << refused.error;
    EXPECT_EQ(readFile(output), (Bytes{1, 2, 3}));

    const VRDRepairOutcome forced = VRDRecordingRepairer::repair({.input = input, .output = output, .force = true});
    ASSERT_EQ(forced.status, VRDRepairOutcome::Status::Recovered) << forced.error;
    EXPECT_EQ(MediaTools::probeErrors(QString::fromStdString(output)), QByteArray());
    // No temporary file is left beside it.
    std::size_t files = 0;
    for ([[maybe_unused]] const auto &entry : fs::directory_iterator(fs::path(output).parent_path()))
        ++files;
    EXPECT_EQ(files, 1u);
    EXPECT_EQ(VRDRecordingRepairer::repair({.input = input, .output = input, .force = true}).status,
              VRDRepairOutcome::Status::Failed);
}

TEST_F(RecordingRepairer, TakesTheNearestReferenceOfTheSameCameraAndPictureSize)
{
    const QString root = qEnvironmentVariable("TOVIK_TEST_TMP");
    const std::string otherSize = makeCard(root + "/other-size-card", 160, 96).toStdString();
    ASSERT_FALSE(otherSize.empty());
    const std::string card = m_folder.path("mixed");
    fs::create_directories(card + "/EVENT");
    const std::string input = card + "/EVENT/" + kCutName;
    writeFile(input, s_bytes, s_bytes.size() / 2);
    // Nearest in time: a rear recording, then a front one of another picture size; the fitting one is older.
    fs::copy_file(s_card + "/alwa_20240315_081200_R.MP4", card + "/EVENT/alwa_20240315_081229_R.MP4");
    fs::copy_file(otherSize + "/alwa_20240315_081200_F.MP4", card + "/alwa_20240315_081228_F.MP4");
    fs::copy_file(s_card + "/" + kReferenceName, card + "/" + kReferenceName);

    const VRDRepairOutcome outcome = VRDRecordingRepairer::repair({.input = input});
    ASSERT_EQ(outcome.status, VRDRepairOutcome::Status::Recovered) << outcome.error;
    EXPECT_EQ(outcome.reference, card + "/" + kReferenceName);

    const VRDRepairOutcome wrongSize = VRDRecordingRepairer::repair(
        {.input = input, .reference = card + "/alwa_20240315_081228_F.MP4", .force = true});
    EXPECT_EQ(wrongSize.status, VRDRepairOutcome::Status::Failed);
    EXPECT_NE(wrongSize.error.find("does not match"), std::string::npos) << wrongSize.error;
}
