#pragma once

#include <cstdint>
#include <cstring>

// The raw G-sensor block of one data chunk, in 1/256 g (T is not interpreted).
struct VRDAviGSensorData {
    struct Data {
        std::int32_t X = 0;
        std::int32_t Y = 0;
        std::int32_t Z = 0;
        std::int32_t T = 0;
    };
    static_assert(sizeof(Data) == 16);

    Data data;

    VRDAviGSensorData() = default;
    // Copies 16 bytes in the host's order (the camera and this host are little-endian).
    explicit VRDAviGSensorData(const void *bytes) { std::memcpy(&data, bytes, sizeof data); }
    static VRDAviGSensorData aviGSensorDataWithData(const void *bytes) { return VRDAviGSensorData(bytes); }
};
