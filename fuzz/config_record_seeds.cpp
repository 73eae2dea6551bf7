// Writes seed files for config_record_fuzzer: a default record, a changed
// one, a short one and one of another model.
#include "SeedCorpus.h"
#include "config/VRDFileData.h"

#include <string_view>

namespace {

std::string_view leadingBytes(const FILEDATA &record, std::size_t size)
{
    return std::string_view(reinterpret_cast<const char *>(&record), size);
}

} // namespace

int main(int argc, char **argv)
{
    const std::optional<SeedCorpus> corpus = SeedCorpus::fromArguments(argc, argv);
    if (!corpus)
        return 1;
    FILEDATA defaults{};
    VRDDefaultFileData(defaults);
    VRDPrepareFileDataForSave(defaults);
    FILEDATA changed = defaults;
    changed.time_gmt = -1;
    changed.hood = -0.0f;
    changed.vehiclecode[2][3] = -5;
    FILEDATA otherModel = changed;
    otherModel.modelNum = 202;
    const bool written = corpus->add("defaults", leadingBytes(defaults, sizeof defaults))
        && corpus->add("short", leadingBytes(defaults, 600)) && corpus->add("changed", leadingBytes(changed, sizeof changed))
        && corpus->add("model202", leadingBytes(otherModel, sizeof otherModel));
    return written ? 0 : 1;
}
