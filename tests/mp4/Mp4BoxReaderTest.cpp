#include "io/TKBigEndian.h"
#include "io/VRDMemoryByteSource.h"
#include "mp4/Mp4BoxBuilder.h"
#include "mp4/Mp4BoxChildren.h"
#include "mp4/Mp4BoxReader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using B = Mp4BoxBuilder;
using Bytes = B::Bytes;

// A box with a 64-bit size: size field 1, type, then the real size.
Bytes largeBox(std::string_view type, const Bytes &payload)
{
    Bytes out;
    TKBigEndian::append32(out, 1);
    out.insert(out.end(), type.begin(), type.end());
    Bytes size(8);
    TKBigEndian::write64(size.data(), 16 + payload.size());
    B::appendBytes(out, size);
    B::appendBytes(out, payload);
    return out;
}

std::vector<std::string> types(Mp4BoxReader &reader, const Mp4Box &parent, std::string *error = nullptr)
{
    std::vector<std::string> found;
    Mp4BoxChildren children(reader, parent);
    for (Mp4Box box; children.next(box);)
        found.push_back(box.typeText());
    if (error != nullptr)
        *error = children.error();
    return found;
}

struct Recording {
    Bytes bytes;
    VRDMemoryByteSource source{bytes};
    Mp4BoxReader reader{source};

    explicit Recording(Bytes file) : bytes(std::move(file)) {}
};

} // namespace

TEST(Mp4BoxReader, WalksChildrenFindsBoxesAndReadsPayloads)
{
    const Bytes stco = B::box("stco", {0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0x10, 0});
    Bytes file = B::box("ftyp", {'a', 'v', 'c', '1'});
    B::appendBytes(file, largeBox("mdat", Bytes(5, 0xAB)));
    B::appendBytes(file, B::container("moov", {B::box("mvhd", Bytes(4)), B::container("trak", {stco})}));
    Recording recording(file);
    Mp4BoxReader &reader = recording.reader;

    std::string error;
    EXPECT_EQ(types(reader, reader.file(), &error), (std::vector<std::string>{"ftyp", "mdat", "moov"}));
    EXPECT_TRUE(error.empty());

    const TKResult<Mp4Box> media = reader.childAt(reader.file(), 1);
    ASSERT_TRUE(media) << media.error();
    EXPECT_EQ(media->headerSize, 16u);
    EXPECT_EQ(media->payloadSize(), 5u);
    EXPECT_EQ(reader.payload(*media, 5).value(), Bytes(5, 0xAB));
    EXPECT_FALSE(reader.payload(*media, 4)) << "a payload above the limit is refused";

    const TKResult<Mp4Box> movie = reader.child(reader.file(), "moov");
    ASSERT_TRUE(movie);
    const TKResult<Mp4Box> table = reader.child(reader.child(*movie, "trak").value(), "stco");
    ASSERT_TRUE(table);
    EXPECT_EQ(table->offset, file.size() - stco.size());
    EXPECT_EQ(reader.payload32(*table, 4).value(), 1u);
    EXPECT_EQ(reader.payload32(*table, 8).value(), 0x1000u);
    EXPECT_EQ(reader.payload64(*table, 4).value(), 0x0000000100001000u);
    EXPECT_FALSE(reader.payload32(*table, 9)) << "a number reaching past the payload";

    EXPECT_NE(reader.child(*movie, "udta").error().find("no 'udta'"), std::string::npos);
    EXPECT_NE(reader.childAt(*movie, 2).error().find("only 2 children"), std::string::npos);
}

TEST(Mp4BoxReader, SizeZeroReachesToTheEndOfItsParent)
{
    Bytes inner = B::box("free", Bytes(3));
    TKBigEndian::write32(inner.data(), 0);
    Bytes file = B::box("ftyp", {});
    B::appendBytes(file, B::container("moov", {B::box("mvhd", {}), inner}));
    B::appendBytes(file, B::box("mdat", Bytes(6)));
    TKBigEndian::write32(file.data() + file.size() - 14, 0);
    Recording recording(file);

    const Mp4Box movie = recording.reader.childAt(recording.reader.file(), 1).value();
    const TKResult<std::vector<std::uint8_t>> empty = recording.reader.payload(recording.reader.childAt(movie, 0).value(), 0);
    ASSERT_TRUE(empty) << empty.error();
    EXPECT_TRUE(empty->empty());
    const Mp4Box free = recording.reader.childAt(movie, 1).value();
    EXPECT_EQ(free.end(), movie.end()) << "to the end of moov, not of the file";
    EXPECT_EQ(free.payloadSize(), 3u);
    const Mp4Box media = recording.reader.childAt(recording.reader.file(), 2).value();
    EXPECT_EQ(media.end(), file.size());
}

TEST(Mp4BoxReader, BadSizesFailAtTheBoxThatHasThem)
{
    const Bytes good = B::container("moov", {B::box("mvhd", Bytes(4)), B::box("trak", Bytes(4))});
    auto failure = [](Bytes file) {
        Recording recording(std::move(file));
        std::string error;
        types(recording.reader, recording.reader.childAt(recording.reader.file(), 0).value(), &error);
        return error;
    };

    Bytes tooLarge = good;
    B::appendBytes(tooLarge, Bytes(64));
    TKBigEndian::write32(tooLarge.data() + 8 + 12, 12 + 1);
    EXPECT_NE(failure(tooLarge).find("box 'trak' at 20 has a size of 13, reaching past its parent"), std::string::npos)
        << "the bytes after moov do not make room for its child";

    Bytes tooSmall = good;
    TKBigEndian::write32(tooSmall.data() + 8, 7);
    EXPECT_NE(failure(tooSmall).find("smaller than its header"), std::string::npos);

    Bytes largeTooSmall = B::container("moov", {largeBox("mvhd", {})});
    TKBigEndian::write64(largeTooSmall.data() + 16, 15);
    EXPECT_NE(failure(largeTooSmall).find("smaller than its header"), std::string::npos);

    Bytes largeBeyondEverything = B::container("moov", {largeBox("mvhd", {})});
    TKBigEndian::write64(largeBeyondEverything.data() + 16, UINT64_MAX);
    EXPECT_NE(failure(largeBeyondEverything).find("reaching past its parent"), std::string::npos)
        << "no 64-bit wrap-around";

    Bytes cutLargeHeader = B::container("moov", {B::box("mvhd", Bytes(4))});
    TKBigEndian::write32(cutLargeHeader.data() + 8, 1);
    EXPECT_NE(failure(cutLargeHeader).find("64-bit size cut short"), std::string::npos);

    Bytes cutHeader = B::box("moov", Bytes(5));
    EXPECT_NE(failure(cutHeader).find("box header at 8 is cut short"), std::string::npos);

    Bytes unprintable = good;
    unprintable[8 + 4] = 0;
    B::appendBytes(unprintable, Bytes(64));
    TKBigEndian::write32(unprintable.data() + 8, 100);
    EXPECT_NE(failure(unprintable).find("box '?vhd'"), std::string::npos);
}

TEST(Mp4BoxReader, ChildrenStopAtTheFirstFaultAndBoundTheirParent)
{
    Bytes file = B::container("moov", {B::box("mvhd", {}), B::box("trak", {}), B::box("udta", {})});
    TKBigEndian::write32(file.data() + 16, 3);
    Recording recording(file);
    const Mp4Box movie = recording.reader.childAt(recording.reader.file(), 0).value();
    Mp4BoxChildren children(recording.reader, movie);
    Mp4Box box;
    ASSERT_TRUE(children.next(box));
    EXPECT_EQ(box.typeText(), "mvhd");
    EXPECT_FALSE(children.next(box));
    EXPECT_TRUE(children.failed());
    EXPECT_FALSE(children.next(box)) << "stays stopped";
    EXPECT_FALSE(recording.reader.child(movie, "udta")) << "a fault before the box hides it";

    EXPECT_FALSE(recording.reader.boxAt(movie, 2).ok()) << "inside moov's header";
    EXPECT_FALSE(recording.reader.boxAt(movie, file.size() + 8).ok());

    Mp4BoxChildren skipped(recording.reader, movie, 16);
    ASSERT_TRUE(skipped.next(box)) << skipped.error();
    EXPECT_EQ(box.offset, 24u);
    EXPECT_EQ(box.typeText(), "udta");
    Mp4BoxChildren pastTheEnd(recording.reader, movie, movie.payloadSize() + 1);
    EXPECT_FALSE(pastTheEnd.next(box));
    EXPECT_TRUE(pastTheEnd.failed());
}

TEST(Mp4BoxReader, AnEmptyOrShortFileHasNoBoxes)
{
    Recording empty(Bytes{});
    std::string error;
    EXPECT_TRUE(types(empty.reader, empty.reader.file(), &error).empty());
    EXPECT_TRUE(error.empty());

    Recording shortFile(Bytes{0, 0, 0, 8, 'f'});
    EXPECT_TRUE(types(shortFile.reader, shortFile.reader.file(), &error).empty());
    EXPECT_NE(error.find("cut short"), std::string::npos);
}
