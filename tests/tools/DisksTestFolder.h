#pragma once

#include <cstdlib>
#include <filesystem>
#include <string>

// A fresh, empty folder for one test under TOVIK_TEST_TMP (or the system's
// temporary folder when run by hand).
inline std::filesystem::path disksTestFolder(const std::string &name)
{
    const char *root = std::getenv("TOVIK_TEST_TMP");
    const std::filesystem::path path =
        std::filesystem::path(root ? root : std::filesystem::temp_directory_path().string()) / "disks" / name;
    std::filesystem::remove_all(path);
    std::filesystem::create_directories(path);
    return path;
}
