// Writes seed recordings in the camera's layout: plain samples, NMEA text of
// every sentence kind, an empty chunk table, and a few damaged variants.
#include "SeedCorpus.h"
#include "demo/BlackBoxRecordWriter.h"
#include "demo/CameraMp4Writer.h"

#include <string>
#include <vector>

namespace {

using Bytes = CameraMp4Writer::Bytes;

BlackBoxSample sample(std::uint32_t index, std::string nmea)
{
    BlackBoxSample s;
    s.time = 1710486725u + index;
    s.gX = 256;
    s.gY = -128;
    s.gZ = static_cast<std::int32_t>(index);
    s.nmea = std::move(nmea);
    s.latitude = 4808.343;
    s.longitude = 1133.954;
    s.flags = index % 2 ? 0x31 : 0x30;
    s.speed = 42;
    s.hdop = 0.9;
    s.satellites = 7.9;
    return s;
}

CameraMp4Writer::Output recording(const std::vector<std::string> &texts)
{
    CameraMp4Writer writer;
    std::uint32_t index = 0;
    for (const std::string &text : texts) {
        writer.appendMedia(Bytes(8, 0xAB));
        writer.appendDataChunk(BlackBoxRecordWriter::encodeChunk(sample(index++, text)));
    }
    return writer.build();
}

void putBigEndian32(Bytes &bytes, std::size_t at, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        bytes[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(value >> (24 - 8 * i));
}

} // namespace

int main(int argc, char **argv)
{
    const std::optional<SeedCorpus> corpus = SeedCorpus::fromArguments(argc, argv);
    if (!corpus)
        return 1;

    const CameraMp4Writer::Output plain = recording({"", "", ""});
    const CameraMp4Writer::Output sentences = recording({
        "$GPRMC,071205.000,A,4808.343,N,01133.954,E,10.5,188.0,150324,,*00\r\n$GPGGA,071205,4808.343,N,01133.954,E,1,08,0.9,,,,,,*47\r\n",
        "$GNGSA,A,3,03,07,19,,,,,,,,,,1.0,0.9,0.5*00\n$GNGSA,A,3,65,72,,,,,,,,,,,1.0,0.9,0.5*00\n",
        "$GNGNS,071206,4808.3,N,01133.9,E,AA,14,0.7,,,,*00\n$GPGSV,3,1,11,03,03,111,00*74\n$PMTK,1*00\n",
        "junk$GN",
    });
    Bytes hugeCount = plain.bytes;
    putBigEndian32(hugeCount, plain.stcoOffset + 12, 0xFFFFFFFFu);
    Bytes wrappingSecondBox = plain.bytes;
    putBigEndian32(wrappingSecondBox, 28, 0xFFFFFFF0u);

    const bool written = corpus->add("plain.mp4", plain.bytes) && corpus->add("sentences.mp4", sentences.bytes)
        && corpus->add("empty_table.mp4", recording({}).bytes) && corpus->add("huge_count.mp4", hugeCount)
        && corpus->add("wrapping_second_box.mp4", wrappingSecondBox)
        && corpus->add("truncated.mp4", Bytes(plain.bytes.begin(), plain.bytes.begin() + static_cast<long>(plain.stcoOffset) + 20));
    return written ? 0 : 1;
}
