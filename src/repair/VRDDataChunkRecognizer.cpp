#include "repair/VRDDataChunkRecognizer.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

constexpr std::size_t kPrefix = 2;
constexpr std::size_t kRecordSize = 208;
constexpr std::size_t kGSensor = 8;
constexpr std::size_t kText = 25;
constexpr std::size_t kTextSize = 128;
constexpr std::size_t kLatitude = 160;
constexpr std::size_t kLongitude = 168;
constexpr std::size_t kSpeed = 180;
constexpr std::size_t kPrecision = 192;
constexpr std::size_t kSatellites = 200;
// 128 g in the sensor's 1/256 g steps: far beyond any crash.
constexpr std::int32_t kLargestAcceleration = 128 * 256;
constexpr std::int32_t kFastestSpeed = 1000;

std::int32_t littleEndian32(const std::uint8_t *bytes)
{
    return static_cast<std::int32_t>(std::uint32_t{bytes[0]} | std::uint32_t{bytes[1]} << 8
                                     | std::uint32_t{bytes[2]} << 16 | std::uint32_t{bytes[3]} << 24);
}

double littleEndianDouble(const std::uint8_t *bytes)
{
    std::uint64_t bits = 0;
    for (int i = 7; i >= 0; --i)
        bits = bits << 8 | bytes[i];
    double value = 0;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

bool within(double value, double low, double high)
{
    return std::isfinite(value) && value >= low && value <= high;
}

// NMEA text up to its first zero byte; anything may follow that.
bool isText(const std::uint8_t *text)
{
    for (std::size_t i = 0; i < kTextSize && text[i] != 0; ++i) {
        const std::uint8_t byte = text[i];
        if ((byte < 0x20 || byte > 0x7E) && byte != '\r' && byte != '\n')
            return false;
    }
    return true;
}

} // namespace

bool VRDDataChunkRecognizer::isDataChunk(std::span<const std::uint8_t> chunk)
{
    if (chunk.size() != kChunkSize)
        return false;
    const std::uint8_t *record = chunk.data() + kPrefix;
    if (std::all_of(record, record + kRecordSize, [](std::uint8_t byte) { return byte == 0; }))
        return false;
    for (std::size_t axis = 0; axis < 3; ++axis) {
        const std::int32_t value = littleEndian32(record + kGSensor + 4 * axis);
        if (value < -kLargestAcceleration || value > kLargestAcceleration)
            return false;
    }
    const std::int32_t speed = littleEndian32(record + kSpeed);
    return isText(record + kText) && speed >= 0 && speed <= kFastestSpeed
        && within(littleEndianDouble(record + kLatitude), -9000.0, 9000.0)
        && within(littleEndianDouble(record + kLongitude), -18000.0, 18000.0)
        && within(littleEndianDouble(record + kPrecision), 0.0, 1000.0)
        && within(littleEndianDouble(record + kSatellites), 0.0, 255.0);
}
