#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

struct AVCodecContext;
struct AVCodecParserContext;

// libavcodec's H.264 parser, set up with a reference recording's avcC,
// confirms each access unit found in the media data: it parses the slice
// header with the reference's parameter sets and says whether the picture
// is a key frame. A unit is confirmed when it is a key frame or starts a
// picture other than the one before (a split inside one picture repeats its
// number, a unit the parser cannot read keeps the old one).
class VRDH264FrameCheck {
public:
    struct Verdict {
        bool confirmed = false;
        bool keyFrame = false;
    };

    explicit VRDH264FrameCheck(std::span<const std::uint8_t> avcC);
    ~VRDH264FrameCheck();
    VRDH264FrameCheck(const VRDH264FrameCheck &) = delete;
    VRDH264FrameCheck &operator=(const VRDH264FrameCheck &) = delete;

    bool valid() const { return m_context && m_parser; }
    Verdict check(std::span<const std::uint8_t> accessUnit);

private:
    AVCodecContext *m_context = nullptr;
    AVCodecParserContext *m_parser = nullptr;
    std::vector<std::uint8_t> m_padded;
    int m_lastPictureNumber = -1;
};
