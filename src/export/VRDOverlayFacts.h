#pragma once

#include <string>

// What the burned-in box shows at one picture, as text and one number.
struct VRDOverlayFacts {
    std::string dateTime;  // the camera's local clock
    std::string speed;     // "52 km/h", empty without data
    std::string position;  // "48.13512° N  11.58201° E", empty without a fix
    double gForce = -1.0;  // |g| in g, negative without data

    bool operator==(const VRDOverlayFacts &) const = default;
};
