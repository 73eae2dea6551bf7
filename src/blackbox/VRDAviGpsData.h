#pragma once

#include <cstring>

// The raw GPS text block of one data chunk: a unit byte and up to 128 bytes
// of NMEA text, not necessarily zero-terminated.
struct VRDAviGpsData {
    struct Data {
        char unit = 0;
        char gpsString[128] = {};
    };
    static_assert(sizeof(Data) == 129);

    Data data;

    VRDAviGpsData() = default;
    explicit VRDAviGpsData(const void *bytes) { std::memcpy(&data, bytes, sizeof data); }
    static VRDAviGpsData aviGpsDataWithData(const void *bytes) { return VRDAviGpsData(bytes); }
};
