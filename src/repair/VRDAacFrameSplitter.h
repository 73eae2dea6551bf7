#pragma once

#include <cstdint>
#include <span>
#include <vector>

struct AVCodecContext;
struct AVFrame;
struct AVPacket;

// Splits raw AAC frames, which carry no length or sync word in MP4 media
// data, by trial-decoding them with libavcodec set up with a reference
// recording's AudioSpecificConfig: the decoder takes one frame at a time
// from a packet and tells how much of it was left, so the differences are
// the frame sizes. The last frame before bytes that do not decode is sized
// by the shortest packet that still decodes it.
class VRDAacFrameSplitter {
public:
    // Room for one frame: 6144 bits per channel, up to eight channels.
    static constexpr std::size_t kLargestFrame = 6144;

    explicit VRDAacFrameSplitter(std::span<const std::uint8_t> audioSpecificConfig);
    ~VRDAacFrameSplitter();
    VRDAacFrameSplitter(const VRDAacFrameSplitter &) = delete;
    VRDAacFrameSplitter &operator=(const VRDAacFrameSplitter &) = delete;

    bool valid() const { return m_context != nullptr; }
    // Sizes of the whole frames at the start of `bytes`, at most `maxFrames`.
    std::vector<std::uint32_t> split(std::span<const std::uint8_t> bytes, std::size_t maxFrames);

private:
    // Frames decoded from one packet, with the bytes left before each.
    std::vector<int> decodeRun(std::span<const std::uint8_t> bytes, std::size_t maxFrames);
    bool decodesOneFrame(std::span<const std::uint8_t> bytes);
    bool send(std::span<const std::uint8_t> bytes);

    AVCodecContext *m_context = nullptr;
    AVPacket *m_packet = nullptr;
    AVFrame *m_frame = nullptr;
};
