// The parts of recovery one by one: the cut-off check on laid-out files, the
// data-chunk layout test, Exp-Golomb reading, and the H.264 and AAC sample
// finders against the sample tables ffmpeg wrote for a demo recording.
#include "io/VRDMemoryByteSource.h"
#include "demo/CameraMp4Writer.h"
#include "repair/VRDAacFrameSplitter.h"
#include "repair/VRDCutOffDetector.h"
#include "repair/VRDDataChunkRecognizer.h"
#include "repair/VRDH264AccessUnitReader.h"
#include "repair/VRDH264Bits.h"
#include "repair/VRDReferenceRecording.h"
#include "RepairFixture.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace RepairFixture;

namespace {

using Kind = VRDRecordingState::Kind;

VRDRecordingState inspect(const Bytes &bytes, std::size_t length)
{
    VRDMemoryByteSource source({bytes.data(), std::min(length, bytes.size())});
    return VRDCutOffDetector::inspect(source);
}

} // namespace

TEST(CutOffDetector, TellsHealthyCutOffAndForeignFiles)
{
    CameraMp4Writer writer;
    writer.appendMedia(Bytes(1000, 0xAB));
    const CameraMp4Writer::Output laidOut = writer.build();
    const Bytes &file = laidOut.bytes;
    constexpr std::size_t kMediaBegin = 28 + 8;

    EXPECT_EQ(inspect(file, file.size()).kind, Kind::Healthy);
    const VRDRecordingState insideMedia = inspect(file, 500);
    EXPECT_EQ(insideMedia.kind, Kind::CutOff);
    EXPECT_EQ(insideMedia.mediaBegin, kMediaBegin);
    EXPECT_EQ(insideMedia.mediaEnd, 500u);
    const VRDRecordingState noIndex = inspect(file, laidOut.moovOffset);
    EXPECT_EQ(noIndex.kind, Kind::CutOff);
    EXPECT_EQ(noIndex.mediaEnd, laidOut.moovOffset);
    EXPECT_NE(noIndex.reason.find("missing"), std::string::npos);
    EXPECT_EQ(inspect(file, laidOut.moovOffset + 8).kind, Kind::CutOff);
    EXPECT_EQ(inspect(file, laidOut.moovOffset + 4).reason, "the index after the media data is cut short");
    const VRDRecordingState headerOnly = inspect(file, kMediaBegin - 3);
    EXPECT_EQ(headerOnly.kind, Kind::CutOff);
    EXPECT_EQ(headerOnly.mediaEnd, 0u);

    // The camera leaves the media data's size 0 until it finishes.
    Bytes openEnded(file.begin(), file.begin() + static_cast<std::ptrdiff_t>(laidOut.moovOffset));
    std::memset(openEnded.data() + 28, 0, 4);
    const VRDRecordingState toTheEnd = inspect(openEnded, openEnded.size());
    EXPECT_EQ(toTheEnd.kind, Kind::CutOff);
    EXPECT_EQ(toTheEnd.mediaEnd, openEnded.size());

    EXPECT_EQ(inspect(file, 28).kind, Kind::NotCamera);
    EXPECT_EQ(inspect(CameraMp4Writer("isom").build().bytes, SIZE_MAX).kind, Kind::NotCamera);
    EXPECT_EQ(inspect(Bytes(4000, 0x5A), 4000).kind, Kind::NotCamera);
    EXPECT_EQ(inspect(Bytes{}, 0).kind, Kind::NotCamera);
}

TEST(DataChunkRecognizer, KnowsTheCamerasLayoutFromMediaAndZeros)
{
    const Bytes chunk = BlackBoxRecordWriter::encodeChunk(samples().front());
    EXPECT_TRUE(VRDDataChunkRecognizer::isDataChunk(chunk));
    EXPECT_FALSE(VRDDataChunkRecognizer::isDataChunk(Bytes(210, 0)));
    EXPECT_FALSE(VRDDataChunkRecognizer::isDataChunk(Bytes(chunk.begin(), chunk.end() - 1)));

    Bytes binaryText = chunk;
    binaryText[2 + 25] = 0x01;
    EXPECT_FALSE(VRDDataChunkRecognizer::isDataChunk(binaryText));
    Bytes hugeAcceleration = chunk;
    hugeAcceleration[2 + 8 + 3] = 0x40;
    EXPECT_FALSE(VRDDataChunkRecognizer::isDataChunk(hugeAcceleration));
    Bytes notANumber = chunk;
    const double nan = std::numeric_limits<double>::quiet_NaN();
    std::memcpy(notANumber.data() + 2 + 160, &nan, sizeof nan);
    EXPECT_FALSE(VRDDataChunkRecognizer::isDataChunk(notANumber));

    Bytes noise(210);
    std::uint32_t state = 12345;
    for (std::uint8_t &byte : noise)
        byte = static_cast<std::uint8_t>((state = state * 1103515245u + 12345u) >> 16);
    EXPECT_FALSE(VRDDataChunkRecognizer::isDataChunk(noise));
}

TEST(H264Bits, ReadsExpGolombAcrossEmulationPrevention)
{
    // 1 | 010 | 011 | 00100 | 0001000 -> 0, 1, 2, 3, 7
    VRDH264Bits bits(Bytes{0b10100110, 0b01000001, 0b00000000});
    EXPECT_EQ(bits.unsignedGolomb(), 0u);
    EXPECT_EQ(bits.unsignedGolomb(), 1u);
    EXPECT_EQ(bits.unsignedGolomb(), 2u);
    EXPECT_EQ(bits.unsignedGolomb(), 3u);
    EXPECT_EQ(bits.unsignedGolomb(), 7u);
    EXPECT_EQ(bits.unsignedGolomb(), std::nullopt);

    // 00 00 03 01: the 03 is no payload, so 24 zero bits then a 1 read as one number.
    VRDH264Bits escaped(Bytes{0x00, 0x00, 0x03, 0x01, 0xFF, 0xFF, 0xFF});
    EXPECT_EQ(escaped.unsignedGolomb(), (1u << 23) - 1 + 0x7FFFFFu);
    EXPECT_EQ(VRDH264Bits(Bytes(40, 0)).unsignedGolomb(), std::nullopt);
}

class SampleFinders : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        const QString root = qEnvironmentVariable("TOVIK_TEST_TMP");
        const std::string card = makeCard(root + "/finder-card").toStdString();
        if (card.empty())
            return;
        s_path = card + "/alwa_20240315_081200_F.MP4";
        s_bytes = readFile(s_path);
        s_packets = MediaTools::probePackets(QString::fromStdString(s_path));
        VRDMemoryByteSource source(s_bytes);
        std::string error;
        if (auto reference = VRDReferenceRecording::read(source, error))
            s_reference = std::move(*reference);
    }

    void SetUp() override
    {
        ASSERT_FALSE(s_bytes.empty()) << "tovik-demo-card failed";
        ASSERT_TRUE(s_reference.video.has_value());
        ASSERT_TRUE(s_reference.audio.has_value());
    }

    static inline std::string s_path;
    static inline Bytes s_bytes;
    static inline std::vector<MediaTools::Packet> s_packets;
    static inline VRDReferenceRecording s_reference;
};

TEST_F(SampleFinders, ReferenceGivesTheSetUpAndTheInterleaving)
{
    EXPECT_EQ(s_reference.video->width, kWidth);
    EXPECT_EQ(s_reference.video->height, kHeight);
    EXPECT_EQ(s_reference.video->sampleCount, static_cast<std::uint32_t>(kSeconds * kFps));
    EXPECT_EQ(static_cast<double>(s_reference.video->typicalDuration) / s_reference.video->timescale, 1.0 / kFps);
    EXPECT_EQ(s_reference.audio->typicalDuration, 1024u);
    EXPECT_EQ(s_reference.audio->timescale, 48000u);
    EXPECT_EQ(s_reference.audio->decoderConfig.size(), 5u);
    ASSERT_TRUE(s_reference.data.has_value());
    EXPECT_EQ(s_reference.data->sampleCount, static_cast<std::uint32_t>(kSeconds * 10));
    // ffmpeg starts with audio, then alternates; the demo's data chunks follow the media.
    ASSERT_GE(s_reference.pattern.size(), 3u);
    EXPECT_EQ(s_reference.pattern[0].kind, VRDReferenceChunk::Kind::Audio);
    EXPECT_EQ(s_reference.pattern[1].kind, VRDReferenceChunk::Kind::Video);
    EXPECT_EQ(s_reference.pattern.back().kind, VRDReferenceChunk::Kind::Data);
}

TEST_F(SampleFinders, AccessUnitsMatchTheVideoTable)
{
    const auto setup = VRDH264AccessUnitReader::setupFrom(s_reference.video->decoderConfig, 1 << 20);
    ASSERT_TRUE(setup);
    EXPECT_EQ(setup->lengthSize, 4);
    const VRDH264AccessUnitReader reader(*setup);
    VRDMemoryByteSource source(s_bytes);
    VRDScanWindow window(source, 0, s_bytes.size());
    for (const auto &packet : MediaTools::packetsOf(s_packets, 0)) {
        const auto unit = reader.read(window, static_cast<std::uint64_t>(packet.position));
        ASSERT_TRUE(unit) << "at " << packet.position;
        EXPECT_EQ(unit->size, static_cast<std::uint64_t>(packet.size)) << "at " << packet.position;
        EXPECT_EQ(unit->idr, packet.key) << "at " << packet.position;
    }
    for (const auto &packet : MediaTools::packetsOf(s_packets, 1))
        EXPECT_FALSE(reader.read(window, static_cast<std::uint64_t>(packet.position))) << "audio at " << packet.position;
    // A unit whose last bytes are missing is no unit.
    const auto first = MediaTools::packetsOf(s_packets, 0).front();
    VRDMemoryByteSource cut({s_bytes.data(), static_cast<std::size_t>(first.position + first.size - 1)});
    VRDScanWindow cutWindow(cut, 0, cut.size());
    EXPECT_FALSE(reader.read(cutWindow, static_cast<std::uint64_t>(first.position)));
}

TEST_F(SampleFinders, AacFramesAreSizedByTrialDecoding)
{
    VRDAacFrameSplitter splitter(s_reference.audio->decoderConfig);
    ASSERT_TRUE(splitter.valid());
    const auto audio = MediaTools::packetsOf(s_packets, 1);
    // The frames of one run of consecutive audio samples, followed by video bytes.
    std::size_t first = 1;
    std::size_t last = first;
    while (last + 1 < audio.size() && audio[last + 1].position == audio[last].position + audio[last].size)
        ++last;
    ASSERT_GT(last, first);
    const std::span<const std::uint8_t> run(s_bytes.data() + audio[first].position, 4000);
    const std::vector<std::uint32_t> sizes = splitter.split(run, 64);
    ASSERT_GE(sizes.size(), last - first + 1);
    for (std::size_t i = first; i <= last; ++i)
        EXPECT_EQ(sizes[i - first], static_cast<std::uint32_t>(audio[i].size)) << "frame " << i;

    const std::vector<std::uint32_t> two = splitter.split(run, 2);
    EXPECT_EQ(two.size(), 2u);
    // A frame cut short does not decode; zeros are no frame.
    EXPECT_TRUE(splitter.split(run.first(static_cast<std::size_t>(audio[first].size) - 1), 8).empty());
    EXPECT_TRUE(splitter.split(Bytes(500, 0), 8).empty());
}
