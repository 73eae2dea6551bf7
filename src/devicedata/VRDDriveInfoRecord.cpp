#include "devicedata/VRDDriveInfoRecord.h"

#include "io/TKLittleEndian.h"

namespace {

class Reader {
public:
    explicit Reader(std::span<const std::uint8_t, VRDDriveInfoRecord::kSize> bytes)
        : m_bytes(bytes)
    {
    }
    std::uint8_t u8() { return m_bytes[m_at++]; }
    std::uint16_t u16()
    {
        const std::uint16_t value = le_u16::read(&m_bytes[m_at]);
        m_at += 2;
        return value;
    }
    std::uint32_t u32()
    {
        const std::uint32_t value = le_u32::read(&m_bytes[m_at]);
        m_at += 4;
        return value;
    }
    std::int16_t i16() { return static_cast<std::int16_t>(u16()); }
    std::int8_t i8() { return static_cast<std::int8_t>(u8()); }

private:
    std::span<const std::uint8_t, VRDDriveInfoRecord::kSize> m_bytes;
    std::size_t m_at = 0;
};

class Writer {
public:
    explicit Writer(std::array<std::uint8_t, VRDDriveInfoRecord::kSize> &bytes)
        : m_bytes(bytes)
    {
    }
    void u8(std::uint8_t value) { m_bytes[m_at++] = value; }
    void u16(std::uint16_t value)
    {
        le_u16::write(&m_bytes[m_at], value);
        m_at += 2;
    }
    void u32(std::uint32_t value)
    {
        le_u32::write(&m_bytes[m_at], value);
        m_at += 4;
    }

private:
    std::array<std::uint8_t, VRDDriveInfoRecord::kSize> &m_bytes;
    std::size_t m_at = 0;
};

} // namespace

VRDDriveInfoRecord VRDDriveInfoRecord::decode(std::span<const std::uint8_t, kSize> bytes)
{
    Reader in(bytes);
    VRDDriveInfoRecord r;
    r.seq = in.u16();
    r.yoil = in.u8();
    r.value = in.u8();
    r.year = in.u8();
    r.month = in.u8();
    r.day = in.u8();
    r.hour = in.u8();
    r.minute = in.u8();
    r.second = in.u8();
    r.latitudeWhole = in.u16();
    r.latitudeFraction = in.u16();
    r.longitudeWhole = in.u16();
    r.longitudeFraction = in.u16();
    r.curSpeed = in.u16();
    r.drivingDistance = in.u32();
    r.unknown24 = in.u32();
    r.unknown28 = in.i8();
    r.unknown29 = in.i8();
    r.spd = in.i16();
    r.rpm = in.i16();
    r.fbk = in.i16();
    r.rll = in.i16();
    r.lll = in.i16();
    r.x = in.i16();
    r.y = in.i16();
    r.z = in.i16();
    r.battery = in.i16();
    r.ttc = in.i16();
    r.dtc = in.i16();
    return r;
}

std::array<std::uint8_t, VRDDriveInfoRecord::kSize> VRDDriveInfoRecord::encode() const
{
    std::array<std::uint8_t, kSize> bytes{};
    Writer out(bytes);
    out.u16(seq);
    out.u8(yoil);
    out.u8(value);
    out.u8(year);
    out.u8(month);
    out.u8(day);
    out.u8(hour);
    out.u8(minute);
    out.u8(second);
    out.u16(latitudeWhole);
    out.u16(latitudeFraction);
    out.u16(longitudeWhole);
    out.u16(longitudeFraction);
    out.u16(curSpeed);
    out.u32(drivingDistance);
    out.u32(unknown24);
    out.u8(static_cast<std::uint8_t>(unknown28));
    out.u8(static_cast<std::uint8_t>(unknown29));
    for (const std::int16_t word : {spd, rpm, fbk, rll, lll, x, y, z, battery, ttc, dtc})
        out.u16(static_cast<std::uint16_t>(word));
    return bytes;
}
