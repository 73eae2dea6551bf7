#pragma once

#include "demo/BlackBoxRecordWriter.h"
#include "demo/CameraMp4Writer.h"

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

// Recordings in the camera's layout for the extraction tests.
namespace RecordingBuilder {

inline BlackBoxSample sample(std::uint32_t time, std::string nmea = {})
{
    BlackBoxSample s;
    s.time = time;
    s.gX = static_cast<std::int32_t>(time) * 10;
    s.gY = -static_cast<std::int32_t>(time);
    s.gZ = 256;
    s.nmea = std::move(nmea);
    s.latitude = 3723.5 + time;
    s.longitude = 12702.25;
    s.flags = 0x30;
    s.speed = static_cast<std::int32_t>(time);
    s.hdop = 0.8;
    s.satellites = 7.9;
    return s;
}

inline CameraMp4Writer::Output recording(const std::vector<BlackBoxSample> &samples, std::string_view brand = "avc1")
{
    CameraMp4Writer writer(brand);
    for (const BlackBoxSample &s : samples) {
        writer.appendMedia(CameraMp4Writer::Bytes(100, 0xAB));
        writer.appendDataChunk(BlackBoxRecordWriter::encodeChunk(s));
    }
    return writer.build();
}

inline std::vector<BlackBoxSample> samples(std::uint32_t count)
{
    std::vector<BlackBoxSample> list;
    for (std::uint32_t i = 0; i < count; ++i)
        list.push_back(sample(i));
    return list;
}

inline void putBigEndian32(std::vector<std::uint8_t> &bytes, std::size_t at, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        bytes[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(value >> (24 - 8 * i));
}

inline std::string temporaryPath(const std::string &name)
{
    const char *folder = std::getenv("TOVIK_TEST_TMP");
    const std::filesystem::path directory = folder != nullptr ? folder : "/tmp";
    std::filesystem::create_directories(directory);
    return (directory / name).string();
}

inline void writeFile(const std::string &path, const std::vector<std::uint8_t> &bytes)
{
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char *>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

} // namespace RecordingBuilder
