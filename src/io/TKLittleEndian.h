#pragma once

#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <type_traits>

// A number stored as little-endian bytes whatever the host's byte order, so
// that a record made of these is its own file format. Alignment is 1, which
// keeps records free of padding. `read` and `write` decode and encode the
// same bytes in place, for formats read field by field.
template <typename T>
class TKLittleEndian {
    static_assert(std::is_arithmetic_v<T> && (sizeof(T) == 2 || sizeof(T) == 4 || sizeof(T) == 8));
    using Bits = std::conditional_t<sizeof(T) == 2, std::uint16_t,
                                    std::conditional_t<sizeof(T) == 4, std::uint32_t, std::uint64_t>>;

public:
    static T read(const std::uint8_t *bytes)
    {
        TKLittleEndian value;
        std::memcpy(value.m_bytes.data(), bytes, sizeof(T));
        return value.get();
    }

    static void write(std::uint8_t *bytes, T value)
    {
        const TKLittleEndian encoded(value);
        std::memcpy(bytes, encoded.m_bytes.data(), sizeof(T));
    }

    TKLittleEndian() = default;
    TKLittleEndian(T value) { set(value); } // NOLINT(google-explicit-constructor): reads like the plain field

    T get() const
    {
        Bits bits = 0;
        for (std::size_t i = 0; i < sizeof(T); ++i)
            bits = static_cast<Bits>(bits | (static_cast<Bits>(m_bytes[i]) << (8 * i)));
        return std::bit_cast<T>(bits);
    }

    void set(T value)
    {
        const Bits bits = std::bit_cast<Bits>(value);
        for (std::size_t i = 0; i < sizeof(T); ++i)
            m_bytes[i] = static_cast<std::uint8_t>(bits >> (8 * i));
    }

    operator T() const { return get(); } // NOLINT(google-explicit-constructor)
    TKLittleEndian &operator=(T value)
    {
        set(value);
        return *this;
    }

private:
    std::array<std::uint8_t, sizeof(T)> m_bytes{};
};

using le_u16 = TKLittleEndian<std::uint16_t>;
using le_u32 = TKLittleEndian<std::uint32_t>;
using le_i16 = TKLittleEndian<std::int16_t>;
using le_i32 = TKLittleEndian<std::int32_t>;
using le_f32 = TKLittleEndian<float>;
using le_f64 = TKLittleEndian<double>;
