// Seeds for format_helper_arguments_fuzzer: the accepted commands and near misses.
#include "SeedCorpus.h"

#include "disk/TKFormatPlan.h"

#include <string>
#include <vector>

namespace {

std::string joined(const std::vector<std::string> &command)
{
    std::string bytes;
    for (std::size_t i = 1; i < command.size(); ++i) {
        if (i > 1)
            bytes += '\0';
        bytes += command[i];
    }
    return bytes;
}

} // namespace

int main(int argc, char **argv)
{
    const std::optional<SeedCorpus> corpus = SeedCorpus::fromArguments(argc, argv);
    if (!corpus)
        return 1;
    std::vector<std::string> otherCluster = TKFormatCommandArguments("/dev/sdb1", 32, false);
    otherCluster.at(14) = "64";
    const bool written = corpus->add("partition", joined(TKFormatCommandArguments("/dev/sdb1", 32, false)))
        && corpus->add("whole", joined(TKFormatCommandArguments("/dev/mmcblk0", 128, true)))
        && corpus->add("other-cluster", joined(otherCluster))
        && corpus->add("escape", joined(TKFormatCommandArguments("/dev/../etc/passwd", 32, false)));
    return written ? 0 : 1;
}
