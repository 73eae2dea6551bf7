// Seeds for mount_table_fuzzer: a mount table and a swap table as the kernel writes them.
#include "SeedCorpus.h"

int main(int argc, char **argv)
{
    const std::optional<SeedCorpus> corpus = SeedCorpus::fromArguments(argc, argv);
    if (!corpus)
        return 1;
    const bool written =
        corpus->add("mounts", "/dev/sda2 / ext4 rw,relatime 0 0\nproc /proc proc rw 0 0\n"
                              "/dev/sdb1 /media/user/TOVIK\\040CARD vfat rw,nosuid 0 0\n")
        && corpus->add("swaps", "Filename\t\t\t\tType\t\tSize\t\tUsed\t\tPriority\n"
                                "/dev/sdb2                               partition\t1048572\t\t0\t\t-2\n");
    return written ? 0 : 1;
}
