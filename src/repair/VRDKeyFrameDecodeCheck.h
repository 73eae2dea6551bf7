#pragma once

#include <cstdint>
#include <span>

// Decodes one H.264 key frame with a reference recording's set-up and tells
// whether it comes out whole at the reference's picture size: the test that
// a reference belongs to the same camera and channel as the media data (the
// slices of a stream made with other parameter sets do not decode cleanly).
class VRDKeyFrameDecodeCheck {
public:
    static bool decodes(std::span<const std::uint8_t> avcC, std::span<const std::uint8_t> keyFrame, int width, int height);
};
