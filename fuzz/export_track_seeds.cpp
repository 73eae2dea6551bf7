// Writes seed recordings for the export's track readers: a video track
// with its sample description beside the data track, in the camera's layout.
#include "SeedCorpus.h"
#include "demo/BlackBoxRecordWriter.h"
#include "demo/CameraMp4Writer.h"
#include "io/TKBigEndian.h"
#include "mp4/Mp4BoxBuilder.h"

namespace {

using B = Mp4BoxBuilder;
using Bytes = B::Bytes;

Bytes videoTrack(std::uint32_t trackId)
{
    Bytes tkhd(12, 0);
    TKBigEndian::append32(tkhd, trackId);
    tkhd.resize(84, 0);
    Bytes stsd(4, 0);
    TKBigEndian::append32(stsd, 1);
    B::appendBytes(stsd, B::box("avc1", Bytes(78, 0)));
    const Bytes stbl = B::container("stbl", {B::box("stsd", stsd), B::box("stts", Bytes(8)), B::box("stco", Bytes(8))});
    const Bytes minf = B::container("minf", {B::box("vmhd", Bytes(12)), stbl});
    return B::container("trak", {B::box("tkhd", tkhd), B::container("mdia", {B::box("mdhd", Bytes(24)), minf})});
}

Bytes recording()
{
    CameraMp4Writer writer;
    writer.addTrack(videoTrack(1));
    for (std::uint32_t time = 0; time < 3; ++time) {
        BlackBoxSample sample;
        sample.time = time;
        writer.appendMedia(Bytes(8, 0xAB));
        writer.appendDataChunk(BlackBoxRecordWriter::encodeChunk(sample));
    }
    return writer.build().bytes;
}

} // namespace

int main(int argc, char **argv)
{
    const std::optional<SeedCorpus> corpus = SeedCorpus::fromArguments(argc, argv);
    if (!corpus)
        return 1;
    return corpus->add("recording.mp4", recording()) ? 0 : 1;
}
