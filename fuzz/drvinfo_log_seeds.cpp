// Writes seed files for drvinfo_log_fuzzer: the demo card's log, an empty
// one, and one whose header counts more records than it holds.
#include "SeedCorpus.h"
#include "demo/DemoCardFilesWriter.h"
#include "devicedata/VRDDriveInfoLog.h"

#include <vector>

int main(int argc, char **argv)
{
    const std::optional<SeedCorpus> corpus = SeedCorpus::fromArguments(argc, argv);
    if (!corpus)
        return 1;
    std::vector<VRDDriveInfoRecord> records = DemoCardFilesWriter::driveInfoRecords();
    records.resize(20);
    std::vector<std::uint8_t> overcounted = VRDDriveInfoLog::toBytes({records.front()});
    overcounted[3] = 0x7F;
    overcounted.pop_back();
    const bool written = corpus->add("demo", VRDDriveInfoLog::toBytes(records))
        && corpus->add("empty", VRDDriveInfoLog::toBytes({})) && corpus->add("overcounted", overcounted);
    return written ? 0 : 1;
}
