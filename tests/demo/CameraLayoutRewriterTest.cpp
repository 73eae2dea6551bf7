#include "demo/CameraLayoutRewriter.h"
#include "demo/CameraMp4Writer.h"
#include "io/TKBigEndian.h"
#include "io/VRDMemoryByteSource.h"
#include "mp4/Mp4BoxBuilder.h"
#include "mp4/Mp4BoxChildren.h"
#include "mp4/Mp4BoxReader.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

namespace {

using Bytes = std::vector<std::uint8_t>;
using B = Mp4BoxBuilder;

Bytes text(const std::string &value)
{
    return Bytes(value.begin(), value.end());
}

// A chunk-offset table (stco, or co64 when wide) listing the given offsets.
Bytes offsetTable(const std::vector<std::uint64_t> &offsets, bool wide)
{
    Bytes payload(4, 0);
    B::appendBigEndian32(payload, static_cast<std::uint32_t>(offsets.size()));
    for (std::uint64_t offset : offsets) {
        if (wide)
            B::appendBigEndian32(payload, static_cast<std::uint32_t>(offset >> 32));
        B::appendBigEndian32(payload, static_cast<std::uint32_t>(offset));
    }
    return B::box(wide ? "co64" : "stco", payload);
}

Bytes mediaTrack(const Bytes &table)
{
    const Bytes stbl = B::container("stbl", {B::box("stsd", Bytes(8, 0)), B::box("stts", Bytes(8, 0)),
                                             B::box("stsc", Bytes(8, 0)), B::box("stsz", Bytes(12, 0)), table});
    const Bytes minf = B::container("minf", {B::box("vmhd", Bytes(12, 0)), B::box("dinf", {}), stbl});
    const Bytes mdia = B::container("mdia", {B::box("mdhd", Bytes(24, 0)), B::box("hdlr", Bytes(24, 0)), minf});
    return B::container("trak", {B::box("tkhd", Bytes(84, 0)), mdia});
}

// What ffmpeg writes: ftyp, free, mdat, moov with two tracks and udta.
Bytes ffmpegLikeFile(std::uint32_t timescale = 1000, const Bytes &audioTable = {})
{
    Bytes file = B::box("ftyp", text("isom0200isomiso2avc1mp41"));
    B::appendBytes(file, B::box("free", {}));
    const std::size_t payload = file.size() + 8;
    B::appendBytes(file, B::box("mdat", text("VIDEO-1|AUDIO-1|VIDEO-2|")));
    Bytes mvhd = CameraMp4Writer::movieHeader(2000, 3);
    TKBigEndian::write32(mvhd.data() + 20, timescale);
    B::appendBytes(file, B::container("moov", {mvhd, mediaTrack(offsetTable({payload, payload + 16}, false)),
                                               mediaTrack(audioTable.empty() ? offsetTable({payload + 8}, true) : audioTable),
                                               B::box("udta", text("tag"))}));
    return file;
}

std::string textAt(const Bytes &file, std::uint64_t offset, std::size_t length)
{
    return std::string(file.begin() + static_cast<std::ptrdiff_t>(offset),
                       file.begin() + static_cast<std::ptrdiff_t>(offset + length));
}

std::uint32_t bigEndian32(const Bytes &file, std::uint64_t offset)
{
    return TKBigEndian::read32(file.data() + offset);
}

// The boxes of a rewritten file, read back with the checked reader.
struct BoxTree {
    explicit BoxTree(const Bytes &file) : source(file), reader(source) {}

    std::vector<Mp4Box> children(const Mp4Box &parent)
    {
        std::vector<Mp4Box> boxes;
        Mp4BoxChildren walk(reader, parent);
        for (Mp4Box box; walk.next(box);)
            boxes.push_back(box);
        EXPECT_FALSE(walk.failed()) << walk.error();
        return boxes;
    }

    Mp4Box descend(Mp4Box box, std::initializer_list<const char *> path)
    {
        for (const char *type : path) {
            const TKResult<Mp4Box> child = reader.child(box, type);
            if (!child) {
                ADD_FAILURE() << child.error();
                return box;
            }
            box = *child;
        }
        return box;
    }

    VRDMemoryByteSource source;
    Mp4BoxReader reader;
};

} // namespace

TEST(CameraLayoutRewriter, KeepsMediaReachableAndPutsDataTrackFifth)
{
    const std::vector<Bytes> chunks{Bytes(210, 0xA1), Bytes(210, 0xB2)};
    const Bytes out = CameraLayoutRewriter::rewrite(ffmpegLikeFile(), chunks, 2000);

    BoxTree tree(out);
    const auto top = tree.children(tree.reader.file());
    ASSERT_EQ(top.size(), 3u);
    EXPECT_EQ(textAt(out, top[0].offset + 4, 8), "ftypavc1");
    EXPECT_EQ(top[2].typeText(), "moov");
    const auto moov = tree.children(top[2]);
    std::vector<std::string> types;
    for (const auto &box : moov)
        types.push_back(box.typeText());
    EXPECT_EQ(types, (std::vector<std::string>{"mvhd", "trak", "trak", "free", "trak"}));
    // The data track takes ffmpeg's next free track number.
    EXPECT_EQ(bigEndian32(out, moov[0].end() - 4), 4u);
    EXPECT_EQ(bigEndian32(out, tree.descend(moov[4], {"tkhd"}).payloadOffset() + 12), 3u);

    // Both kinds of offset table now point at the same media bytes as before.
    const auto video = tree.descend(moov[1], {"mdia", "minf", "stbl", "stco"});
    EXPECT_EQ(textAt(out, bigEndian32(out, video.payloadOffset() + 8), 8), "VIDEO-1|");
    EXPECT_EQ(textAt(out, bigEndian32(out, video.payloadOffset() + 12), 8), "VIDEO-2|");
    const auto audio = tree.descend(moov[2], {"mdia", "minf", "stbl", "co64"});
    EXPECT_EQ(textAt(out, TKBigEndian::read64(out.data() + audio.payloadOffset() + 8), 8), "AUDIO-1|");

    const auto data = tree.descend(moov[4], {"mdia", "minf", "stbl", "stco"});
    ASSERT_EQ(bigEndian32(out, data.payloadOffset() + 4), 2u);
    for (std::size_t i = 0; i < chunks.size(); ++i) {
        const std::uint32_t offset = bigEndian32(out, data.payloadOffset() + 8 + 4 * i);
        EXPECT_EQ(Bytes(out.begin() + offset, out.begin() + offset + 210), chunks[i]);
    }
}

TEST(CameraLayoutRewriter, RefusesFilesItCannotLayOut)
{
    EXPECT_THROW(CameraLayoutRewriter::rewrite(ffmpegLikeFile(600), {}, 2000), std::runtime_error);

    Bytes truncated = ffmpegLikeFile();
    truncated.resize(truncated.size() - 10);
    EXPECT_THROW(CameraLayoutRewriter::rewrite(truncated, {}, 2000), std::runtime_error);

    // Offset tables too short for their count, or counting more entries than they hold.
    EXPECT_THROW(CameraLayoutRewriter::rewrite(ffmpegLikeFile(1000, B::box("co64", Bytes(4, 0))), {}, 2000),
                 std::runtime_error);
    EXPECT_THROW(CameraLayoutRewriter::rewrite(ffmpegLikeFile(1000, B::box("stco", Bytes{0, 0, 0, 0, 0, 0, 0, 9})), {}, 2000),
                 std::runtime_error);

    const Bytes withoutMovie = B::box("ftyp", text("isom0200"));
    EXPECT_THROW(CameraLayoutRewriter::rewrite(withoutMovie, {}, 2000), std::runtime_error);
}
