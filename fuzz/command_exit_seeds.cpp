// Seeds for command_exit_fuzzer: exit status byte, pkexec flag byte, output.
#include "SeedCorpus.h"

#include <string>
#include <utility>
#include <vector>

int main(int argc, char **argv)
{
    const std::optional<SeedCorpus> corpus = SeedCorpus::fromArguments(argc, argv);
    if (!corpus)
        return 1;
    const std::vector<std::pair<std::string, std::string>> seeds{
        {"ok", std::string("\x00\x01", 2) + "mkfs.fat 4.2 (2021-01-31)\n"},
        {"read-only", "\x01\x01mkfs.fat 4.2\nunable to open /dev/sdb1: Read-only file system\n"},
        {"refused", "\x7e\x01Error executing command as another user: Not authorized\n"},
        {"busy", "\x01\x00mkfs.fat: /dev/sdb1 contains a mounted filesystem.\r\n\n"},
    };
    for (const auto &[name, bytes] : seeds) {
        if (!corpus->add(name, bytes))
            return 1;
    }
    return 0;
}
