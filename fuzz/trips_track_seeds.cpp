// Writes seed recordings for the trips' track reader: RMC and GGA sentences
// with both hemispheres, a void fix, time values that run backwards.
#include "SeedCorpus.h"
#include "demo/BlackBoxRecordWriter.h"
#include "demo/CameraMp4Writer.h"

#include <string>
#include <vector>

namespace {

CameraMp4Writer::Output recording(const std::vector<std::pair<std::uint32_t, std::string>> &samples)
{
    CameraMp4Writer writer;
    for (const auto &[time, text] : samples) {
        BlackBoxSample s;
        s.time = time;
        s.gZ = 256;
        s.gX = static_cast<std::int32_t>(time % 7) * 40;
        s.nmea = text;
        s.latitude = 4808.343;
        s.longitude = 1133.954;
        s.flags = time % 2 ? 0x31 : 0x30;
        s.speed = 42;
        s.hdop = 0.9;
        s.satellites = 7.9;
        writer.appendMedia(CameraMp4Writer::Bytes(8, 0xAB));
        writer.appendDataChunk(BlackBoxRecordWriter::encodeChunk(s));
    }
    return writer.build();
}

} // namespace

int main(int argc, char **argv)
{
    const std::optional<SeedCorpus> corpus = SeedCorpus::fromArguments(argc, argv);
    if (!corpus)
        return 1;
    const CameraMp4Writer::Output timed = recording({
        {100, "$GPRMC,071205.000,A,4808.343,N,01133.954,E,10.5,188.0,150324,,*00\r\n"},
        {100, "$GPGGA,071205,3352.200,S,15112.500,W,1,08,0.9,,,,,,*47\r\n"},
        {101, "$GNRMC,071206.000,V,,,,,0,0,150324,,*00\r\n"},
        {101, ""},
        {102, "$GPRMC,071207.000,A,,,,,0,0,310224,,*00$GPRMC,0712,A,,,,,0,0,150324,,*00"},
    });
    const CameraMp4Writer::Output backwards = recording({{9, ""}, {3, ""}, {7, ""}, {7, ""}});
    const bool written = corpus->add("timed.mp4", timed.bytes) && corpus->add("backwards.mp4", backwards.bytes);
    return written ? 0 : 1;
}
