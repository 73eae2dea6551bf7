// Writes seed media data for the recovery scan: access units of the
// reference's set-up, AAC-like frames, data chunks, and a whole recording in
// the camera's layout cut short.
#include "SeedCorpus.h"
#include "demo/BlackBoxRecordWriter.h"
#include "demo/CameraMp4Writer.h"

#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

void append(Bytes &out, const Bytes &more)
{
    out.insert(out.end(), more.begin(), more.end());
}

// A length-prefixed NAL unit: header byte, then a slice header naming
// picture parameter set 0 (first macroblock 0, slice type 7), then filler.
Bytes nalUnit(std::uint8_t header, std::size_t payload)
{
    Bytes nal{0, 0, 0, 0, header, 0x88, 0x84};
    nal.resize(nal.size() + payload, 0x5A);
    const auto length = static_cast<std::uint32_t>(nal.size() - 4);
    for (int i = 0; i < 4; ++i)
        nal[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(length >> (24 - 8 * i));
    return nal;
}

Bytes dataChunk(std::uint32_t index)
{
    BlackBoxSample sample;
    sample.time = 1710486725u + index;
    sample.gZ = 256;
    sample.nmea = "$GPRMC,071205.000,A,4808.343,N,01133.954,E,10.5,188.0,150324,,*00\r\n";
    sample.latitude = 4808.343;
    sample.longitude = 1133.954;
    sample.hdop = 0.9;
    sample.satellites = 7;
    return BlackBoxRecordWriter::encodeChunk(sample);
}

} // namespace

int main(int argc, char **argv)
{
    const std::optional<SeedCorpus> corpus = SeedCorpus::fromArguments(argc, argv);
    if (!corpus)
        return 1;

    Bytes media;
    append(media, nalUnit(0x65, 300));
    append(media, dataChunk(0));
    append(media, Bytes{0x01, 0x18, 0x20, 0x07, 0xFE, 0x00, 0x11, 0x40, 0x80});
    append(media, nalUnit(0x41, 120));
    append(media, dataChunk(1));
    bool ok = corpus->add("media", media);
    ok = corpus->add("media-cut", Bytes(media.begin(), media.begin() + static_cast<std::ptrdiff_t>(media.size() / 2))) && ok;
    ok = corpus->add("parameter-sets", [] {
        Bytes units = nalUnit(0x67, 20);
        append(units, nalUnit(0x68, 4));
        append(units, nalUnit(0x06, 10));
        append(units, nalUnit(0x65, 64));
        return units;
    }()) && ok;

    CameraMp4Writer writer;
    writer.appendMedia(media);
    writer.appendDataChunk(dataChunk(2));
    const Bytes whole = writer.build().bytes;
    ok = corpus->add("recording", whole) && ok;
    ok = corpus->add("recording-cut", Bytes(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(whole.size() * 2 / 3))) && ok;
    return ok ? 0 : 1;
}
