// Writes seed MP4 files: a recording in the camera's layout, boxes with
// 64-bit and to-the-end sizes, and a child larger than its parent.
#include "SeedCorpus.h"
#include "demo/BlackBoxRecordWriter.h"
#include "demo/CameraMp4Writer.h"
#include "io/TKBigEndian.h"
#include "mp4/Mp4BoxBuilder.h"

namespace {

using B = Mp4BoxBuilder;
using Bytes = B::Bytes;

Bytes recording()
{
    CameraMp4Writer writer;
    for (std::uint32_t time = 0; time < 3; ++time) {
        BlackBoxSample sample;
        sample.time = time;
        writer.appendMedia(Bytes(8, 0xAB));
        writer.appendDataChunk(BlackBoxRecordWriter::encodeChunk(sample));
    }
    return writer.build().bytes;
}

Bytes sizeVariants()
{
    Bytes large;
    TKBigEndian::append32(large, 1);
    B::appendBytes(large, {'m', 'd', 'a', 't', 0, 0, 0, 0, 0, 0, 0, 20, 1, 2, 3, 4});
    Bytes file = B::box("ftyp", {'a', 'v', 'c', '1'});
    B::appendBytes(file, large);
    Bytes toEnd = B::container("moov", {B::box("mvhd", Bytes(4)), B::box("free", Bytes(4))});
    TKBigEndian::write32(toEnd.data() + 8 + 12, 0);
    B::appendBytes(file, toEnd);
    return file;
}

Bytes childLargerThanParent()
{
    Bytes file = B::container("moov", {B::container("trak", {B::box("mdia", Bytes(4))})});
    B::appendBytes(file, B::box("free", Bytes(16)));
    TKBigEndian::write32(file.data() + 16, 40);
    return file;
}

} // namespace

int main(int argc, char **argv)
{
    const std::optional<SeedCorpus> corpus = SeedCorpus::fromArguments(argc, argv);
    if (!corpus)
        return 1;
    const bool written = corpus->add("recording.mp4", recording()) && corpus->add("sizes.mp4", sizeVariants())
        && corpus->add("child_larger_than_parent.mp4", childLargerThanParent());
    return written ? 0 : 1;
}
