// Re-lays a demo recording's samples with the streaming writer, with data
// chunks between them as the camera interleaves them, and checks the result
// with ffprobe, mpv, ffmpeg's decoded pictures and our own data-track reader.
#include "mp4/VRDCameraMp4Writer.h"

#include "blackbox/VRDBlackBoxData.h"
#include "demo/BlackBoxRecordWriter.h"
#include "demo/DemoCardPlan.h"
#include "io/VRDMemoryByteSource.h"
#include "mp4/Mp4BoxChildren.h"
#include "mp4/Mp4BoxReader.h"
#include "MediaTools.h"
#include "TestFolder.h"

#include <gtest/gtest.h>

#include <QFile>

#include <filesystem>
#include <fstream>

namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr int kSeconds = 3;
constexpr int kWidth = 128;
constexpr int kHeight = 72;
constexpr int kFps = 10;

Bytes readFile(const std::string &path)
{
    std::ifstream file(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(file), {});
}


// The set-up of the source's tracks, in file order: handler, time scale, stsd, picture size.
std::vector<VRDCameraMp4Writer::TrackSetup> trackSetups(const Bytes &file)
{
    VRDMemoryByteSource source(file);
    Mp4BoxReader reader(source);
    std::vector<VRDCameraMp4Writer::TrackSetup> setups;
    const TKResult<Mp4Box> moov = reader.child(reader.file(), "moov");
    if (!moov)
        return setups;
    Mp4BoxChildren tracks(reader, *moov);
    for (Mp4Box trak; tracks.next(trak);) {
        if (!trak.is("trak"))
            continue;
        const TKResult<Mp4Box> mdia = reader.child(trak, "mdia");
        const TKResult<Mp4Box> hdlr = mdia ? reader.child(*mdia, "hdlr") : TKResult<Mp4Box>(TKError{"no mdia"});
        const TKResult<Mp4Box> mdhd = mdia ? reader.child(*mdia, "mdhd") : TKResult<Mp4Box>(TKError{"no mdia"});
        const TKResult<Mp4Box> minf = mdia ? reader.child(*mdia, "minf") : TKResult<Mp4Box>(TKError{"no mdia"});
        const TKResult<Mp4Box> stbl = minf ? reader.child(*minf, "stbl") : TKResult<Mp4Box>(TKError{"no minf"});
        const TKResult<Mp4Box> stsd = stbl ? reader.child(*stbl, "stsd") : TKResult<Mp4Box>(TKError{"no stbl"});
        const TKResult<std::uint32_t> handlerType = hdlr ? reader.payload32(*hdlr, 8) : TKResult<std::uint32_t>(TKError{""});
        const TKResult<std::uint32_t> timescale = mdhd ? reader.payload32(*mdhd, 12) : TKResult<std::uint32_t>(TKError{""});
        if (!handlerType || !timescale || !stsd)
            continue;
        VRDCameraMp4Writer::TrackSetup setup;
        for (int shift = 24; shift >= 0; shift -= 8)
            setup.handler.push_back(static_cast<char>(*handlerType >> shift));
        if (setup.handler != "vide" && setup.handler != "soun")
            continue;
        setup.timescale = *timescale;
        setup.sampleDescription.assign(file.begin() + static_cast<std::ptrdiff_t>(stsd->offset),
                                       file.begin() + static_cast<std::ptrdiff_t>(stsd->end()));
        if (setup.handler == "vide") {
            setup.width = kWidth;
            setup.height = kHeight;
        }
        setups.push_back(setup);
    }
    return setups;
}

class CameraMp4Writer : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        s_card = MediaTools::makeDemoCard(qEnvironmentVariable("TOVIK_TEST_TMP") + "/writer-card",
                                          {"--duration", QString::number(kSeconds), "--width", QString::number(kWidth),
                                           "--height", QString::number(kHeight), "--fps", QString::number(kFps),
                                           "--count", "1"});
    }

    void SetUp() override { ASSERT_FALSE(s_card.isEmpty()) << "tovik-demo-card failed"; }

    static QString source() { return s_card + "/alwa_20240315_081200_F.MP4"; }

    static inline QString s_card;
    TestFolder m_folder{"writer"};
};

} // namespace

TEST_F(CameraMp4Writer, InterleavedRecordingReadsBackInEveryTool)
{
    const Bytes file = readFile(source().toStdString());
    const auto setups = trackSetups(file);
    ASSERT_EQ(setups.size(), 2u);
    auto packets = MediaTools::probePackets(source());
    std::sort(packets.begin(), packets.end(), [](const auto &a, const auto &b) { return a.position < b.position; });
    const DemoCardPlan plan({.durationSeconds = kSeconds, .count = 1, .seed = 1});
    const std::vector<BlackBoxSample> samples = plan.samplesOf(plan.recordings().front());

    const std::string output = m_folder.path("alwa_20240315_081200_F.MP4");
    VRDCameraMp4Writer writer(output);
    ASSERT_EQ(writer.addTrack(setups[0]), 0);
    ASSERT_EQ(writer.addTrack(setups[1]), 1);
    std::size_t dataWritten = 0;
    for (const auto &packet : packets) {
        if (packet.stream > 1)
            continue; // the source's own data track
        const auto begin = file.begin() + packet.position;
        const Bytes bytes(begin, begin + packet.size);
        ASSERT_TRUE(writer.writeSample(packet.stream, bytes, static_cast<std::uint32_t>(packet.duration), packet.key))
            << writer.error();
        // One sensor sample per picture, right after it, as the camera writes them.
        if (packet.stream == 0 && dataWritten < samples.size()) {
            ASSERT_TRUE(writer.writeDataChunk(BlackBoxRecordWriter::encodeChunk(samples[dataWritten++]), 100));
        }
    }
    ASSERT_TRUE(writer.finish()) << writer.error();
    ASSERT_EQ(dataWritten, samples.size());

    const QString written = QString::fromStdString(output);
    EXPECT_EQ(MediaTools::probeErrors(written), QByteArray());
    EXPECT_TRUE(MediaTools::playsInMpv(written));
    // The demuxer sees the same samples, in the same order per stream, with the same flags and durations.
    const auto rewritten = MediaTools::probePackets(written);
    for (int stream : {0, 1}) {
        const auto before = MediaTools::packetsOf(packets, stream);
        const auto after = MediaTools::packetsOf(rewritten, stream);
        ASSERT_EQ(after.size(), before.size()) << "stream " << stream;
        for (std::size_t i = 0; i < after.size(); ++i) {
            EXPECT_EQ(after[i].hash, before[i].hash) << "stream " << stream << " packet " << i;
            EXPECT_EQ(after[i].key, before[i].key) << "stream " << stream << " packet " << i;
            EXPECT_EQ(after[i].duration, before[i].duration) << "stream " << stream << " packet " << i;
        }
    }
    const auto numbers = MediaTools::frameNumbers(written, kWidth, kHeight);
    ASSERT_EQ(numbers.size(), static_cast<std::size_t>(kSeconds * kFps));
    for (std::size_t i = 0; i < numbers.size(); ++i)
        EXPECT_EQ(numbers[i], std::optional<std::uint32_t>(static_cast<std::uint32_t>(i))) << "frame " << i;

    VRDBlackBoxData data;
    ASSERT_TRUE(data.ExtractStreamInformation(output));
    ASSERT_EQ(data.Times().size(), samples.size());
    for (std::size_t i = 0; i < samples.size(); ++i) {
        EXPECT_EQ(data.Times()[i], samples[i].time);
        EXPECT_EQ(data.vGSensorData()[i].data.X, samples[i].gX);
        EXPECT_EQ(data.vGSensorData()[i].data.Z, samples[i].gZ);
    }
}

TEST_F(CameraMp4Writer, DataOnlyAndEmptyRecordingsKeepTheLayout)
{
    const DemoCardPlan plan({.durationSeconds = 1, .count = 1, .seed = 1});
    const std::vector<BlackBoxSample> samples = plan.samplesOf(plan.recordings().front());
    const std::string dataOnly = m_folder.path("data.MP4");
    VRDCameraMp4Writer writer(dataOnly);
    for (const BlackBoxSample &sample : samples)
        ASSERT_TRUE(writer.writeDataChunk(BlackBoxRecordWriter::encodeChunk(sample), 100));
    ASSERT_TRUE(writer.finish()) << writer.error();
    VRDBlackBoxData data;
    ASSERT_TRUE(data.ExtractStreamInformation(dataOnly));
    EXPECT_EQ(data.Times().size(), samples.size());
    EXPECT_EQ(MediaTools::probeErrors(QString::fromStdString(dataOnly)), QByteArray());

    const std::string empty = m_folder.path("empty.MP4");
    VRDCameraMp4Writer nothing(empty);
    ASSERT_TRUE(nothing.finish()) << nothing.error();
    ASSERT_TRUE(data.ExtractStreamInformation(empty));
    EXPECT_TRUE(data.Times().empty());
}

TEST_F(CameraMp4Writer, RefusesMisuseWithOneLine)
{
    const Bytes file = readFile(source().toStdString());
    const auto setups = trackSetups(file);
    ASSERT_EQ(setups.size(), 2u);
    const Bytes sample{0, 0, 0, 1, 0x65};

    VRDCameraMp4Writer writer(m_folder.path("misuse.MP4"));
    VRDCameraMp4Writer::TrackSetup noDescription = setups[0];
    noDescription.sampleDescription.resize(10);
    EXPECT_FALSE(writer.addTrack(noDescription));
    VRDCameraMp4Writer::TrackSetup otherHandler = setups[0];
    otherHandler.handler = "text";
    VRDCameraMp4Writer other(m_folder.path("other.MP4"));
    EXPECT_FALSE(other.addTrack(otherHandler));
    EXPECT_NE(other.error().find("handler"), std::string::npos);

    VRDCameraMp4Writer ordered(m_folder.path("ordered.MP4"));
    ASSERT_EQ(ordered.addTrack(setups[0]), 0);
    EXPECT_FALSE(ordered.writeSample(1, sample, 1024, true));
    EXPECT_NE(ordered.error().find("no track 1"), std::string::npos);

    VRDCameraMp4Writer late(m_folder.path("late.MP4"));
    ASSERT_EQ(late.addTrack(setups[0]), 0);
    ASSERT_TRUE(late.writeSample(0, sample, 1024, true));
    EXPECT_FALSE(late.addTrack(setups[1]));
    EXPECT_FALSE(late.writeDataChunk(Bytes(209, 0), 100));

    VRDCameraMp4Writer full(m_folder.path("full.MP4"));
    for (int i = 0; i < 3; ++i)
        ASSERT_EQ(full.addTrack(setups[1]), i);
    EXPECT_FALSE(full.addTrack(setups[1]));

    VRDCameraMp4Writer nowhere(m_folder.path("missing-folder/x.MP4"));
    EXPECT_FALSE(nowhere.writeDataChunk(Bytes(210, 0), 100));
    EXPECT_FALSE(nowhere.finish());
    EXPECT_NE(nowhere.error().find("cannot create"), std::string::npos) << nowhere.error();
    EXPECT_EQ(nowhere.error().find('\n'), std::string::npos);
}
