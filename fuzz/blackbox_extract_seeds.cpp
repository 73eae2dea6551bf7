// Writes seed recordings in the camera's layout: plain samples, NMEA text of
// every sentence kind, an empty chunk table, and a few damaged variants.
#include "demo/BlackBoxRecordWriter.h"
#include "demo/CameraMp4Writer.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
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

bool save(const std::filesystem::path &folder, const std::string &name, const Bytes &bytes)
{
    std::ofstream file(folder / name, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char *>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(file);
}

void putBigEndian32(Bytes &bytes, std::size_t at, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        bytes[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(value >> (24 - 8 * i));
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s CORPUS_FOLDER\n", argv[0]);
        return 1;
    }
    const std::filesystem::path folder = argv[1];
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error) {
        std::fprintf(stderr, "cannot create %s\n", argv[1]);
        return 1;
    }

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

    bool written = save(folder, "plain.mp4", plain.bytes) && save(folder, "sentences.mp4", sentences.bytes)
        && save(folder, "empty_table.mp4", recording({}).bytes) && save(folder, "huge_count.mp4", hugeCount)
        && save(folder, "wrapping_second_box.mp4", wrappingSecondBox)
        && save(folder, "truncated.mp4", Bytes(plain.bytes.begin(), plain.bytes.begin() + static_cast<long>(plain.stcoOffset) + 20));
    if (!written) {
        std::fprintf(stderr, "cannot write the seeds into %s\n", argv[1]);
        return 1;
    }
    return 0;
}
