#pragma once

#include <cstdlib>
#include <filesystem>
#include <string>

// A fresh, empty folder below TOVIK_TEST_TMP for one test.
class TestFolder {
public:
    explicit TestFolder(const std::string &name)
    {
        const char *root = std::getenv("TOVIK_TEST_TMP");
        m_path = std::filesystem::path(root ? root : "/tmp") / ("cards_" + name);
        std::filesystem::remove_all(m_path);
        std::filesystem::create_directories(m_path);
    }
    std::string path() const { return m_path.string(); }
    std::string path(const std::string &name) const { return (m_path / name).string(); }

private:
    std::filesystem::path m_path;
};
