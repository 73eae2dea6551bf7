#include "RecordingBuilder.h"

#include "blackbox/VRDBlackBoxData.h"
#include "io/TKBigEndian.h"
#include "io/VRDMemoryByteSource.h"
#include "mp4/Mp4BoxBuilder.h"
#include "mp4/Mp4BoxReader.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <thread>

namespace {

using Bytes = std::vector<std::uint8_t>;

bool extract(VRDBlackBoxData &data, const Bytes &bytes)
{
    VRDMemoryByteSource source(bytes);
    return data.ExtractStreamInformation(source);
}

void expectEmpty(const VRDBlackBoxData &data)
{
    EXPECT_TRUE(data.NMEAs().empty());
    EXPECT_TRUE(data.GSensors().empty());
    EXPECT_TRUE(data.Times().empty());
    EXPECT_TRUE(data.vGSensorData().empty());
    EXPECT_TRUE(data.vGpsData().empty());
}

} // namespace

TEST(VRDBlackBoxData, ReadsEveryChunkIntoParallelLists)
{
    std::vector<std::string> log;
    VRDBlackBoxData data([&log](std::string_view line) { log.emplace_back(line); });
    BlackBoxSample first = RecordingBuilder::sample(1);
    first.gX = 256;
    first.gY = -128;
    first.gZ = 0;
    first.gT = 77;
    first.unit = 'K';
    ASSERT_TRUE(extract(data, RecordingBuilder::recording({first, RecordingBuilder::sample(2)}).bytes));

    EXPECT_EQ(log, (std::vector<std::string>{"#############################   START", "#############################  FINISH"}));
    ASSERT_EQ(data.GSensors().size(), 2u);
    EXPECT_EQ(data.GSensors()[0], (VRDGSensor{1.0f, -0.5f, 0.0f}));
    EXPECT_EQ(data.vGSensorData()[0].data.T, 77);
    EXPECT_EQ(data.Times(), (std::vector<std::uint32_t>{1, 2}));
    EXPECT_EQ(data.vGpsData()[0].data.unit, 'K');
    ASSERT_EQ(data.NMEAs().size(), 2u);
    const VRDGpsData &fix = data.NMEAs()[0];
    EXPECT_EQ(fix.Latitude, 3724.5);
    EXPECT_EQ(fix.Longitude, 12702.25);
    EXPECT_EQ(fix.flags, 0x30);
    EXPECT_EQ(fix.SpeedOverGround, 1.0);
    EXPECT_EQ(fix.HDOP, 0.8);
    EXPECT_EQ(fix.SatelliteUsedCount, 7u) << "7.9 satellites truncate to 7";
    EXPECT_EQ(fix.NS, 'N');
    EXPECT_EQ(fix.EW, 'E');
    EXPECT_EQ(data.RecordFixIndexes(), (std::vector<std::size_t>{0, 1}));
    EXPECT_TRUE(data.TimeEvents().empty());
    EXPECT_EQ(data.udatSpeedDisplay(), 0);
}

TEST(VRDBlackBoxData, SentencesAddDuplicatesOfTheParsersFixBeforeTheRecordFix)
{
    VRDBlackBoxData data;
    const std::string text = "$GPRMC,123519.000,A,,,,,022.4,084.4,230394,,*6A\r\n$GPGGA,1,4807.038,S,01131.0,W,1,08,0.9,,,,,,*47\r\n";
    ASSERT_TRUE(extract(data, RecordingBuilder::recording({RecordingBuilder::sample(1, text)}).bytes));
    ASSERT_EQ(data.NMEAs().size(), 3u);
    EXPECT_EQ(data.NMEAs()[0].SpeedOverGround, static_cast<double>(22.4f));
    EXPECT_EQ(data.NMEAs()[0].Latitude, 0.0);
    EXPECT_EQ(data.NMEAs()[1].Latitude, 4807.0380859375);
    EXPECT_EQ(data.NMEAs()[1].NS, 'S');
    EXPECT_EQ(data.NMEAs()[1].SpeedOverGround, static_cast<double>(22.4f)) << "the fix accumulates";
    EXPECT_EQ(data.NMEAs()[2].Latitude, 3724.5);
    EXPECT_EQ(data.RecordFixIndexes(), (std::vector<std::size_t>{2}));
    EXPECT_EQ(data.GSensors().size(), 1u);

    const char *stored = data.vGpsData()[0].data.gpsString;
    EXPECT_EQ(std::string(stored), text.substr(0, text.find('\r'))) << "line ends are stored as zero bytes";
    EXPECT_EQ(stored[text.find('\n')], '\0');
}

TEST(VRDBlackBoxData, OnlyEndedDollarGSentencesCount)
{
    VRDBlackBoxData data;
    const std::string unknownG = "$GPGSV,3,1,11,03,03,111,00*74\n";
    const std::string otherTalker = "$PMTK,1*00\n";
    const std::string noDollar = "GPRMC,1*00\n";
    const std::string open = "$GPGGA,1,1.0,N*00";
    ASSERT_TRUE(extract(data, RecordingBuilder::recording({RecordingBuilder::sample(1, unknownG + otherTalker + noDollar),
                                                           RecordingBuilder::sample(2, "junk$GN"),
                                                           RecordingBuilder::sample(3, open + std::string(128 - open.size(), 'x'))})
                                  .bytes));
    EXPECT_EQ(data.NMEAs().size(), 2u + 2u + 1u) << "GSV duplicate + record; '$GN' ended by zero + record; unended sentence: record";
    EXPECT_EQ(data.NMEAs()[0], VRDGpsData()) << "the unchanged fix of a fresh extraction";
    EXPECT_EQ(data.RecordFixIndexes(), (std::vector<std::size_t>{1, 3, 4}));
}

TEST(VRDBlackBoxData, RefusesFilesOffTheCameraLayout)
{
    VRDBlackBoxData data;
    EXPECT_FALSE(extract(data, RecordingBuilder::recording(RecordingBuilder::samples(3), "isom").bytes));
    expectEmpty(data);

    CameraMp4Writer::Output good = RecordingBuilder::recording(RecordingBuilder::samples(3));
    Bytes noMovie = good.bytes;
    std::memcpy(noMovie.data() + good.moovOffset + 4, "free", 4);
    EXPECT_FALSE(extract(data, noMovie));

    Bytes noStco = good.bytes;
    std::memcpy(noStco.data() + good.stcoOffset + 4, "co64", 4);
    EXPECT_FALSE(extract(data, noStco));

    for (std::size_t cut : {std::size_t{0}, std::size_t{11}, good.moovOffset + 6, good.stcoOffset + 13}) {
        std::vector<std::string> log;
        VRDBlackBoxData logged([&log](std::string_view line) { log.emplace_back(line); });
        EXPECT_FALSE(extract(logged, Bytes(good.bytes.begin(), good.bytes.begin() + static_cast<long>(cut)))) << cut;
        EXPECT_EQ(log.size(), 1u) << "no FINISH line";
    }
    EXPECT_FALSE(data.ExtractStreamInformation(RecordingBuilder::temporaryPath("missing.mp4")));
    EXPECT_FALSE(data.ExtractStreamInformation(RecordingBuilder::temporaryPath("")));
}

TEST(VRDBlackBoxData, FailedOrEmptyExtractionClearsEarlierLists)
{
    VRDBlackBoxData data;
    ASSERT_TRUE(extract(data, RecordingBuilder::recording(RecordingBuilder::samples(4)).bytes));
    ASSERT_TRUE(extract(data, RecordingBuilder::recording({}).bytes)) << "N = 0";
    expectEmpty(data);
    ASSERT_TRUE(extract(data, RecordingBuilder::recording(RecordingBuilder::samples(4)).bytes));
    EXPECT_FALSE(extract(data, Bytes{1, 2, 3}));
    expectEmpty(data);
}

TEST(VRDBlackBoxData, SkipsChunksThatCannotBeReadAndBoundsTheCount)
{
    CameraMp4Writer writer;
    writer.appendDataChunk(BlackBoxRecordWriter::encodeChunk(RecordingBuilder::sample(1)));
    writer.addDataChunkOffset(0xFFFFFFF0u);
    writer.appendDataChunk(BlackBoxRecordWriter::encodeChunk(RecordingBuilder::sample(3)));
    CameraMp4Writer::Output output = writer.build();

    VRDBlackBoxData data;
    ASSERT_TRUE(extract(data, output.bytes));
    EXPECT_EQ(data.Times(), (std::vector<std::uint32_t>{1, 3}));

    Bytes truncatedChunk = output.bytes;
    RecordingBuilder::putBigEndian32(truncatedChunk, output.stcoOffset + 16 + 8,
                                     static_cast<std::uint32_t>(truncatedChunk.size() - 209));
    ASSERT_TRUE(extract(data, truncatedChunk));
    EXPECT_EQ(data.Times(), (std::vector<std::uint32_t>{1})) << "a record cut short adds nothing";

    Bytes hugeCount = output.bytes;
    RecordingBuilder::putBigEndian32(hugeCount, output.stcoOffset + 12, 0xFFFFFFFFu);
    ASSERT_TRUE(extract(data, hugeCount));
    EXPECT_EQ(data.Times(), (std::vector<std::uint32_t>{1, 3})) << "only the entries inside the box are read";

    Bytes shortBox = output.bytes;
    RecordingBuilder::putBigEndian32(shortBox, output.stcoOffset, 16 + 4);
    ASSERT_TRUE(extract(data, shortBox));
    EXPECT_EQ(data.Times(), (std::vector<std::uint32_t>{1}));
}

TEST(VRDBlackBoxData, AWrappingBoxSizeFailsInsteadOfReadingElsewhere)
{
    using B = Mp4BoxBuilder;
    CameraMp4Writer::Output original = RecordingBuilder::recording(RecordingBuilder::samples(2));
    const Bytes dataTrack(original.bytes.begin() + static_cast<long>(original.dataTrackOffset), original.bytes.end());
    const Bytes prefix(original.bytes.begin(), original.bytes.begin() + static_cast<long>(original.moovOffset));

    // moov: mvhd, the data trak, a free box, then a box whose size wraps the
    // 32-bit offset back onto the data trak as if it were the fifth child.
    const Bytes mvhd = CameraMp4Writer::movieHeader(1000, 2);
    const Bytes wrapping = B::box("free", {});
    Bytes file = prefix;
    B::appendBytes(file, B::container("moov", {mvhd, dataTrack, B::box("free", {}), wrapping}));
    const std::size_t trakAt = prefix.size() + 8 + mvhd.size();
    const std::size_t wrapAt = file.size() - wrapping.size();
    RecordingBuilder::putBigEndian32(file, wrapAt, static_cast<std::uint32_t>(0x100000000ull - (wrapAt - trakAt)));

    VRDBlackBoxData data;
    EXPECT_FALSE(extract(data, file));
    expectEmpty(data);
}

TEST(VRDBlackBoxData, AChildLargerThanItsParentFails)
{
    // Room after moov, so the grown box still lies inside the file.
    Bytes file = RecordingBuilder::recording(RecordingBuilder::samples(2)).bytes;
    Mp4BoxBuilder::appendBytes(file, Mp4BoxBuilder::box("free", Bytes(64)));
    VRDBlackBoxData data;
    ASSERT_TRUE(extract(data, file));

    VRDMemoryByteSource source(file);
    Mp4BoxReader reader(source);
    Mp4Box minf = reader.childAt(reader.file(), 2).value();
    for (const std::size_t index : {4, 2, 2})
        minf = reader.childAt(minf, index).value();
    const Mp4Box stbl = reader.child(minf, "stbl").value();
    Bytes grown = file;
    TKBigEndian::write32(grown.data() + stbl.offset, static_cast<std::uint32_t>(minf.end() - stbl.offset + 8));
    EXPECT_FALSE(extract(data, grown)) << "stbl reaches 8 bytes past minf";
    expectEmpty(data);
}

TEST(VRDBlackBoxData, FrameCountAndTimeEvents)
{
    VRDBlackBoxData data;
    EXPECT_EQ(data.frameCount(), 1u);
    ASSERT_TRUE(extract(data, RecordingBuilder::recording(RecordingBuilder::samples(1)).bytes));
    EXPECT_EQ(data.frameCount(), 1u);
    ASSERT_TRUE(extract(data, RecordingBuilder::recording(RecordingBuilder::samples(10)).bytes));
    EXPECT_EQ(data.frameCount(), 9u);
    EXPECT_EQ(data.snapshot()->frameCount(), 9u);

    data.clear();
    auto timeRecord = [](std::uint32_t seconds, std::uint32_t type) {
        Bytes record(16, 0);
        for (int i = 0; i < 4; ++i)
            record[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(seconds >> (8 * i));
        RecordingBuilder::putBigEndian32(record, 12, type);
        return record;
    };
    for (const auto &[seconds, type] : std::vector<std::pair<std::uint32_t, std::uint32_t>>{
             {100, 0}, {1700000000, 2}, {1700000001, 2}, {1700000002, 1}, {1700000003, 1}})
        EXPECT_TRUE(data.ParseTime(timeRecord(seconds, type).data(), 16));
    ASSERT_EQ(data.TimeEvents().size(), 2u);
    EXPECT_EQ(data.TimeEvents()[0], (VRDTimeEvent{1, 1, _SYSTEMTIME{2023, 11, 0, 14, 22, 13, 20, 0}}));
    EXPECT_EQ(data.TimeEvents()[1].e, 0u);
    EXPECT_EQ(data.TimeEvents()[1].f, 3u);
    EXPECT_EQ(data.Times().size(), 5u);
    EXPECT_EQ(data.lastTimeEventType(), 1u);
    EXPECT_FALSE(data.ParseTime(nullptr, 16));
    EXPECT_FALSE(data.ParseTime(timeRecord(1, 2).data(), 12)) << "too short to hold the type";

    const std::uint8_t header[8] = {0, 0, 0, 0, 4, 5, 6, 7};
    EXPECT_FALSE(data.ParseFrameData(header, 7));
    EXPECT_TRUE(data.ParseFrameData(header, 8));
    EXPECT_EQ(data.udatSpeedDisplay(), 4);
    EXPECT_EQ(data.udatRecPark(), 6);
    EXPECT_EQ(data.udatIncludeEvent(), 7);
    EXPECT_TRUE(data.ParseTimeEvent(nullptr, 0));
    char text[] = "x";
    EXPECT_FALSE(data.ParseNMEA(nullptr, 1));
    EXPECT_FALSE(data.ParseNMEA(text, 0));
    EXPECT_FALSE(data.ParseGSensor(nullptr, 16));
    data.clear();
    EXPECT_EQ(data.udatSpeedDisplay(), 0);
    EXPECT_EQ(data.lastTimeEventType(), 0u);
    EXPECT_TRUE(data.TimeEvents().empty());
}

TEST(VRDBlackBoxData, ExtractionsOnTwoThreadsShareNothing)
{
    std::vector<BlackBoxSample> samplesA = RecordingBuilder::samples(200);
    std::vector<BlackBoxSample> samplesB = RecordingBuilder::samples(150);
    for (auto &s : samplesA)
        s.nmea = "$GNGSA,A,3,03,07,19,,,,,,,,,,1.0,0.9,0.5*00\n$GNGSA,A,3,65,,,,,,,,,,,,1,1,1*00\n";
    for (auto &s : samplesB)
        s.nmea = "$GNGNS,1,4807,N,1131,E,AA,14,0.7,,,,*00\n";
    const std::string pathA = RecordingBuilder::temporaryPath("threadA.mp4");
    const std::string pathB = RecordingBuilder::temporaryPath("threadB.mp4");
    RecordingBuilder::writeFile(pathA, RecordingBuilder::recording(samplesA).bytes);
    RecordingBuilder::writeFile(pathB, RecordingBuilder::recording(samplesB).bytes);

    VRDBlackBoxData alone;
    ASSERT_TRUE(alone.ExtractStreamInformation(pathA));
    const auto expectedA = alone.snapshot();
    ASSERT_TRUE(alone.ExtractStreamInformation(pathB));
    const auto expectedB = alone.snapshot();

    for (int round = 0; round < 5; ++round) {
        VRDBlackBoxData a, b;
        std::thread threadA([&] { a.ExtractStreamInformation(pathA); });
        std::thread threadB([&] { b.ExtractStreamInformation(pathB); });
        threadA.join();
        threadB.join();
        EXPECT_EQ(a.NMEAs(), expectedA->NMEAs);
        EXPECT_EQ(b.NMEAs(), expectedB->NMEAs);
        EXPECT_EQ(a.GSensors(), expectedA->GSensors);
    }
    EXPECT_EQ(expectedA->NMEAs[1].SatelliteUsedCount, 4u);
    EXPECT_EQ(expectedB->NMEAs[0].SatelliteUsedCount, 14u);
    EXPECT_EQ(expectedA->vGpsData.size(), 200u);
}
