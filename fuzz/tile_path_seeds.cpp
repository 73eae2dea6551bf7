// Seeds for tile_path_fuzzer: tile paths as the map page writes them, and near misses.
#include "SeedCorpus.h"

int main(int argc, char **argv)
{
    const auto corpus = SeedCorpus::fromArguments(argc, argv);
    if (!corpus)
        return 1;
    const char *paths[] = {"15/17600/10743.png", "/0/0/0.png", "22/4194303/4194303", "1/2/0.png",
                           "3/-1/2.png", "../../1/1/1.png", "4/15/15.png?x=1", "99999999999/0/0"};
    int index = 0;
    for (const char *path : paths) {
        if (!corpus->add("seed-" + std::to_string(index++), path))
            return 1;
    }
    return 0;
}
