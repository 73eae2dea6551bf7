// Writes seed files for config_record_fuzzer: a default record, a changed
// one, a short one and one of another model.
#include "settings/VRDFileData.h"

#include <cstdio>
#include <fstream>
#include <string>

namespace {

void writeSeed(const std::string &folder, const std::string &name, const FILEDATA &record, std::size_t size)
{
    std::ofstream(folder + "/" + name, std::ios::binary)
        .write(reinterpret_cast<const char *>(&record), static_cast<std::streamsize>(size));
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
        return 1;
    }
    const std::string folder = argv[1];
    FILEDATA record{};
    VRDDefaultFileData(record);
    VRDPrepareFileDataForSave(record);
    writeSeed(folder, "defaults", record, sizeof record);
    writeSeed(folder, "short", record, 600);
    record.time_gmt = -1;
    record.hood = -0.0f;
    record.vehiclecode[2][3] = -5;
    writeSeed(folder, "changed", record, sizeof record);
    record.modelNum = 202;
    writeSeed(folder, "model202", record, sizeof record);
    return 0;
}
