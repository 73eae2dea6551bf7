// Writes seed files for drvinfo_log_fuzzer: the demo card's log, an empty
// one, and one whose header counts more records than it holds.
#include "demo/DemoCardFilesWriter.h"
#include "devicedata/VRDDriveInfoLog.h"

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace {

void writeSeed(const std::string &folder, const std::string &name, const std::vector<std::uint8_t> &bytes)
{
    std::ofstream(folder + "/" + name, std::ios::binary)
        .write(reinterpret_cast<const char *>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
        return 1;
    }
    const std::string folder = argv[1];
    std::vector<VRDDriveInfoRecord> records = DemoCardFilesWriter::driveInfoRecords();
    records.resize(20);
    writeSeed(folder, "demo", VRDDriveInfoLog::toBytes(records));
    writeSeed(folder, "empty", VRDDriveInfoLog::toBytes({}));
    std::vector<std::uint8_t> overcounted = VRDDriveInfoLog::toBytes({records.front()});
    overcounted[3] = 0x7F;
    overcounted.pop_back();
    writeSeed(folder, "overcounted", overcounted);
    return 0;
}
