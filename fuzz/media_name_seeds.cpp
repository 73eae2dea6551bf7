// Writes the seed corpus of media_name_fuzzer: one file per name, each
// holding the name's bytes.
#include "SeedCorpus.h"

#include <string>

int main(int argc, char **argv)
{
    const std::optional<SeedCorpus> corpus = SeedCorpus::fromArguments(argc, argv);
    if (!corpus)
        return 1;
    const char *names[] = {
        "alwa_20230115_143005_F.MP4",
        "motion_20230115_143005_R.mp4",
        "event_20230115_143005_F.MP4",
        "evtA_20230115_143005_R.MP4",
        "evtF_20230115_143005_F.mp4",
        "evtLL_20230115_143005_F.MP4",
        "evtLR_20230115_143005_R.MP4",
        "ALWA_20230115_143005_F.MP4",
        "._alwa_20230115_143005_F.MP4",
        "alwa_20231315_143005_F.MP4",
        "alwa_20230115_243005_F.MP4",
        "alwa_2023 1+5X14 0 5_F.MP4",
        "alwa_20230115_14305_F.MP4",
        "alwa_20230115_143005_f.MP4",
        "x_r.mp4",
        "Normal/alwa_20230115_143005_F.MP4/",
        ".mp4",
    };
    int index = 0;
    for (const char *name : names) {
        if (!corpus->add("seed-" + std::to_string(index++), name))
            return 1;
    }
    return 0;
}
