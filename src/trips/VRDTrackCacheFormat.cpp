#include "trips/VRDTrackCacheFormat.h"

#include <bit>
#include <cmath>
#include <cstring>
#include <optional>

namespace {

constexpr char kMagic[8] = {'T', 'O', 'V', 'I', 'K', 'T', 'R', 'K'};
constexpr std::size_t kEntryHeaderSize = 4 + 8;
constexpr std::size_t kSampleSize = 4 + 4 + 4 + 2 + 1 + 3 * 2;
constexpr std::uint8_t kReadable = 1;
constexpr std::uint8_t kHasRmcBase = 2;

class Writer {
public:
    explicit Writer(std::string &out) : m_out(out) {}

    template <typename Unsigned>
    void unsignedValue(Unsigned value)
    {
        for (std::size_t i = 0; i < sizeof value; ++i)
            m_out.push_back(static_cast<char>(static_cast<std::uint64_t>(value) >> (8 * i)));
    }
    void float32(float value) { unsignedValue(std::bit_cast<std::uint32_t>(value)); }
    void float64(double value) { unsignedValue(std::bit_cast<std::uint64_t>(value)); }
    void bytes(std::string_view text) { m_out.append(text); }

private:
    std::string &m_out;
};

class Reader {
public:
    explicit Reader(std::span<const std::uint8_t> bytes) : m_bytes(bytes) {}

    std::size_t left() const { return m_bytes.size() - m_at; }

    template <typename Unsigned>
    std::optional<Unsigned> unsignedValue()
    {
        if (left() < sizeof(Unsigned))
            return std::nullopt;
        std::uint64_t value = 0;
        for (std::size_t i = 0; i < sizeof(Unsigned); ++i)
            value |= std::uint64_t{m_bytes[m_at + i]} << (8 * i);
        m_at += sizeof(Unsigned);
        return static_cast<Unsigned>(value);
    }
    std::optional<float> float32()
    {
        const auto bits = unsignedValue<std::uint32_t>();
        return bits ? std::optional<float>(std::bit_cast<float>(*bits)) : std::nullopt;
    }
    std::optional<double> float64()
    {
        const auto bits = unsignedValue<std::uint64_t>();
        return bits ? std::optional<double>(std::bit_cast<double>(*bits)) : std::nullopt;
    }
    std::optional<std::span<const std::uint8_t>> bytes(std::size_t count)
    {
        if (left() < count)
            return std::nullopt;
        const auto part = m_bytes.subspan(m_at, count);
        m_at += count;
        return part;
    }

private:
    std::span<const std::uint8_t> m_bytes;
    std::size_t m_at = 0;
};

void encodeBody(Writer &out, const VRDTrackCacheEntry &entry)
{
    out.unsignedValue(static_cast<std::uint32_t>(entry.path.size()));
    out.bytes(entry.path);
    out.unsignedValue(entry.size);
    out.unsignedValue(static_cast<std::uint64_t>(entry.modifiedNanoseconds));
    const VRDRecordingTrack &track = entry.track;
    out.unsignedValue(static_cast<std::uint8_t>((track.readable ? kReadable : 0) | (track.rmcBaseUtc ? kHasRmcBase : 0)));
    out.float64(track.rmcBaseUtc.value_or(0.0));
    out.unsignedValue(static_cast<std::uint32_t>(track.samples.size()));
    for (const VRDTrackSample &s : track.samples) {
        out.float32(s.offsetSeconds);
        out.unsignedValue(static_cast<std::uint32_t>(s.latitudeE7));
        out.unsignedValue(static_cast<std::uint32_t>(s.longitudeE7));
        out.unsignedValue(s.speedCentiKmh);
        out.unsignedValue(static_cast<std::uint8_t>(s.validFix ? 1 : 0));
        for (const std::int16_t d : s.deviation)
            out.unsignedValue(static_cast<std::uint16_t>(d));
    }
}

std::optional<VRDTrackCacheEntry> decodeBody(std::span<const std::uint8_t> body)
{
    Reader in(body);
    VRDTrackCacheEntry entry;
    const auto pathLength = in.unsignedValue<std::uint32_t>();
    const auto path = pathLength ? in.bytes(*pathLength) : std::nullopt;
    const auto size = in.unsignedValue<std::uint64_t>();
    const auto modified = in.unsignedValue<std::uint64_t>();
    const auto flags = in.unsignedValue<std::uint8_t>();
    const auto rmcBase = in.float64();
    const auto sampleCount = in.unsignedValue<std::uint32_t>();
    if (!path || !size || !modified || !flags || !rmcBase || !sampleCount || (*flags & ~(kReadable | kHasRmcBase)) != 0
        || in.left() != std::uint64_t{*sampleCount} * kSampleSize)
        return std::nullopt;
    entry.path.assign(reinterpret_cast<const char *>(path->data()), path->size());
    entry.size = *size;
    entry.modifiedNanoseconds = static_cast<std::int64_t>(*modified);
    if (!std::isfinite(*rmcBase))
        return std::nullopt;
    entry.track.readable = (*flags & kReadable) != 0;
    if (*flags & kHasRmcBase)
        entry.track.rmcBaseUtc = *rmcBase;
    entry.track.samples.resize(*sampleCount);
    for (VRDTrackSample &s : entry.track.samples) {
        s.offsetSeconds = *in.float32();
        if (!std::isfinite(s.offsetSeconds))
            return std::nullopt;
        s.latitudeE7 = static_cast<std::int32_t>(*in.unsignedValue<std::uint32_t>());
        s.longitudeE7 = static_cast<std::int32_t>(*in.unsignedValue<std::uint32_t>());
        s.speedCentiKmh = *in.unsignedValue<std::uint16_t>();
        const std::uint8_t valid = *in.unsignedValue<std::uint8_t>();
        if (valid > 1)
            return std::nullopt;
        s.validFix = valid == 1;
        for (std::int16_t &d : s.deviation)
            d = static_cast<std::int16_t>(*in.unsignedValue<std::uint16_t>());
    }
    return entry;
}

} // namespace

namespace VRDTrackCacheFormat {

std::uint64_t checksum(std::span<const std::uint8_t> bytes)
{
    std::uint64_t hash = 0xcbf29ce484222325ull;
    for (const std::uint8_t byte : bytes) {
        hash ^= byte;
        hash *= 0x100000001b3ull;
    }
    return hash;
}

std::string encode(const std::vector<VRDTrackCacheEntry> &entries)
{
    std::string out(kMagic, sizeof kMagic);
    Writer file(out);
    file.unsignedValue(kVersion);
    std::string body;
    for (const VRDTrackCacheEntry &entry : entries) {
        body.clear();
        Writer bodyWriter(body);
        encodeBody(bodyWriter, entry);
        file.unsignedValue(static_cast<std::uint32_t>(body.size()));
        file.unsignedValue(checksum({reinterpret_cast<const std::uint8_t *>(body.data()), body.size()}));
        file.bytes(body);
    }
    return out;
}

std::vector<VRDTrackCacheEntry> decode(std::span<const std::uint8_t> bytes)
{
    std::vector<VRDTrackCacheEntry> entries;
    Reader in(bytes);
    const auto magic = in.bytes(sizeof kMagic);
    if (!magic || std::memcmp(magic->data(), kMagic, sizeof kMagic) != 0 || in.unsignedValue<std::uint32_t>() != kVersion)
        return entries;
    while (in.left() >= kEntryHeaderSize) {
        const std::uint32_t length = *in.unsignedValue<std::uint32_t>();
        const std::uint64_t sum = *in.unsignedValue<std::uint64_t>();
        const auto body = in.bytes(length);
        // A length beyond the end leaves nothing after it to find.
        if (!body)
            break;
        if (checksum(*body) != sum)
            continue;
        if (std::optional<VRDTrackCacheEntry> entry = decodeBody(*body))
            entries.push_back(std::move(*entry));
    }
    return entries;
}

} // namespace VRDTrackCacheFormat
