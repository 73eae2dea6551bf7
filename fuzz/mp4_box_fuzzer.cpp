// Any bytes as an MP4 file: walking the whole box tree, reading every small
// payload and its numbers must neither crash, hang nor allocate beyond the limit.
#include "io/VRDMemoryByteSource.h"
#include "mp4/Mp4BoxChildren.h"
#include "mp4/Mp4BoxReader.h"

#include <cstddef>
#include <cstdint>

namespace {

constexpr int kDeepest = 8;
constexpr std::uint64_t kPayloadLimit = 4096;

void walk(Mp4BoxReader &reader, const Mp4Box &parent, int depth)
{
    Mp4BoxChildren children(reader, parent);
    for (Mp4Box box; children.next(box);) {
        if (reader.payload(box, kPayloadLimit))
            reader.payload64(box, 0);
        reader.payload32(box, 4);
        if (depth < kDeepest)
            walk(reader, box, depth + 1);
    }
    reader.child(parent, "stco");
    reader.childAt(parent, 4);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    VRDMemoryByteSource source({data, size});
    Mp4BoxReader reader(source);
    walk(reader, reader.file(), 0);
    return 0;
}
