#include "demo/BlackBoxRecordWriter.h"

#include <bit>
#include <cstring>
#include <stdexcept>

namespace {

void putLittleEndian32(std::uint8_t *at, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        at[i] = static_cast<std::uint8_t>(value >> (8 * i));
}

void putLittleEndianDouble(std::uint8_t *at, double value)
{
    const auto bits = std::bit_cast<std::uint64_t>(value);
    for (int i = 0; i < 8; ++i)
        at[i] = static_cast<std::uint8_t>(bits >> (8 * i));
}

} // namespace

BlackBoxRecordWriter::Bytes BlackBoxRecordWriter::encodeChunk(const BlackBoxSample &sample)
{
    if (sample.nmea.size() > kNmeaCapacity)
        throw std::invalid_argument("the NMEA text of a sample holds at most 128 bytes");
    Bytes chunk(kChunkSize, 0);
    chunk[0] = static_cast<std::uint8_t>(sample.prefix);
    chunk[1] = static_cast<std::uint8_t>(sample.prefix >> 8);
    std::uint8_t *record = chunk.data() + kPrefixSize;
    putLittleEndian32(record + 0, sample.time);
    putLittleEndian32(record + 4, sample.reserved);
    putLittleEndian32(record + 8, static_cast<std::uint32_t>(sample.gX));
    putLittleEndian32(record + 12, static_cast<std::uint32_t>(sample.gY));
    putLittleEndian32(record + 16, static_cast<std::uint32_t>(sample.gZ));
    putLittleEndian32(record + 20, static_cast<std::uint32_t>(sample.gT));
    record[24] = static_cast<std::uint8_t>(sample.unit);
    std::memcpy(record + 25, sample.nmea.data(), sample.nmea.size());
    putLittleEndianDouble(record + 160, sample.latitude);
    putLittleEndianDouble(record + 168, sample.longitude);
    putLittleEndian32(record + 176, static_cast<std::uint32_t>(sample.flags));
    putLittleEndian32(record + 180, static_cast<std::uint32_t>(sample.speed));
    putLittleEndianDouble(record + 192, sample.hdop);
    putLittleEndianDouble(record + 200, sample.satellites);
    return chunk;
}
