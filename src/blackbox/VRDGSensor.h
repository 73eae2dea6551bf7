#pragma once

// One accelerometer sample in g.
struct VRDGSensor {
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;

    VRDGSensor() = default;
    VRDGSensor(float initialX, float initialY, float initialZ)
        : x(initialX), y(initialY), z(initialZ) {}

    void updateFromObject(const VRDGSensor &other) { *this = other; }

    friend bool operator==(const VRDGSensor &, const VRDGSensor &) = default;
};
