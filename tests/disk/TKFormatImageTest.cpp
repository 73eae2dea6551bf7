// The on-disk result of the format command, made on sparse image files with
// the same argument vector the format sequence hands to pkexec.
#include "TestFolder.h"

#include "disk/TKFormatPlan.h"
#include "disk/TKProcessCommandRunner.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <fstream>

namespace {

struct BootSector {
    std::array<unsigned char, 512> bytes{};

    unsigned word(std::size_t at) const { return bytes[at] | (bytes[at + 1] << 8); }
    std::string text(std::size_t at, std::size_t length) const
    {
        return std::string(reinterpret_cast<const char *>(bytes.data()) + at, length);
    }
};

BootSector readBootSector(const std::filesystem::path &image)
{
    BootSector sector;
    std::ifstream file(image, std::ios::binary);
    file.read(reinterpret_cast<char *>(sector.bytes.data()), sector.bytes.size());
    return sector;
}

class TKFormatImageTest : public ::testing::TestWithParam<std::uint64_t> {};

TEST_P(TKFormatImageTest, MakesTheFileSystemTheCameraExpects)
{
    for (const char *tool : {"mkfs.fat", "fsck.fat", "mcopy"}) {
        if (TKProcessCommandRunner::findProgram(tool).isEmpty())
            GTEST_SKIP() << tool << " is not installed (dosfstools, mtools)";
    }
    const std::uint64_t size = GetParam();
    const bool whole = size > (4ull << 30);
    const std::filesystem::path folder = TestFolder("image-" + std::to_string(size >> 30)).path();
    const std::filesystem::path image = folder / "card.img";
    std::ofstream(image, std::ios::binary).close();
    std::filesystem::resize_file(image, size);

    TKProcessCommandRunner runner;
    const long sectorsPerCluster = clusterSizeByVolumeSizeInKB(size);
    const TKCommandResult formatted =
        runner.run(TKFormatCommandArguments(image.string(), sectorsPerCluster, whole), false);
    ASSERT_TRUE(formatted.succeeded()) << formatted.errorMessage;

    const BootSector boot = readBootSector(image);
    EXPECT_EQ(boot.word(11), 512u);
    EXPECT_EQ(boot.bytes[13], sectorsPerCluster);
    EXPECT_EQ(boot.word(14), 32u) << "reserved sectors";
    EXPECT_EQ(boot.bytes[16], 2u) << "number of FATs";
    EXPECT_EQ(boot.word(50), 6u) << "backup boot sector";
    EXPECT_EQ(boot.text(71, 11), "TOVIK      ");
    EXPECT_EQ(boot.text(82, 8), "FAT32   ");
    EXPECT_EQ(boot.word(510), 0xAA55u);
    const TKCommandResult checked = runner.run({"fsck.fat", "-n", image.string()}, false);
    EXPECT_TRUE(checked.succeeded()) << checked.errorMessage;

    // The restore step's file goes onto the new file system and comes back whole.
    const std::string settings(1176, '\x3c');
    std::ofstream(folder / "config.bin", std::ios::binary) << settings;
    ASSERT_TRUE(runner.run({"mcopy", "-i", image.string(), (folder / "config.bin").string(), "::config.bin"}, false)
                    .succeeded());
    ASSERT_TRUE(runner.run({"mcopy", "-i", image.string(), "::config.bin", (folder / "back.bin").string()}, false)
                    .succeeded());
    std::ifstream back(folder / "back.bin", std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(back), {}), settings);

    std::filesystem::remove_all(folder);
}

INSTANTIATE_TEST_SUITE_P(SparseImages, TKFormatImageTest,
                         ::testing::Values(2ull << 30, 8ull << 30),
                         [](const auto &info) { return std::to_string(info.param >> 30) + "GiB"; });

} // namespace
