#include "demo/DemoPicturePainter.h"
#include "demo/FrameNumberStrip.h"

#include <gtest/gtest.h>

#include <vector>

TEST(FrameNumberStrip, ReadsBackWhatThePainterDrew)
{
    for (auto camera : {DemoPicturePainter::Camera::Front, DemoPicturePainter::Camera::Rear}) {
        const DemoPicturePainter painter(camera, 320, 180, 30);
        std::vector<std::uint8_t> picture;
        for (std::uint32_t frame : {0u, 1u, 29u, 0x8000u, 0xFFFFu, 0x5A5Au}) {
            painter.paint(frame, picture);
            EXPECT_EQ(FrameNumberStrip::decode(picture.data(), 320, 180, 320 * 3), frame);
        }
        // Past 16 bits the number wraps round.
        painter.paint(0x10003u, picture);
        EXPECT_EQ(FrameNumberStrip::decode(picture.data(), 320, 180, 320 * 3), 3u);
    }
}

TEST(FrameNumberStrip, HonoursStrideAndRefusesPicturesWithoutStrip)
{
    constexpr int width = 128;
    constexpr int height = 64;
    constexpr std::size_t stride = width * 3 + 16;
    std::vector<std::uint8_t> picture(stride * height, 128);
    EXPECT_FALSE(FrameNumberStrip::decode(picture.data(), width, height, stride).has_value());

    FrameNumberStrip::paint(picture.data(), width, height, stride, 1234);
    EXPECT_EQ(FrameNumberStrip::decode(picture.data(), width, height, stride), 1234u);

    EXPECT_FALSE(FrameNumberStrip::decode(nullptr, width, height, stride).has_value());
    EXPECT_FALSE(FrameNumberStrip::decode(picture.data(), 16, height, stride).has_value());
}
