#pragma once

#include <filesystem>
#include <string>

// A throw-away folder under the test scratch area, filled by the tests with
// empty files, subfolders and links; removed again at the end of the test.
class RecordingTree {
public:
    RecordingTree();
    ~RecordingTree();
    RecordingTree(const RecordingTree &) = delete;
    RecordingTree &operator=(const RecordingTree &) = delete;

    const std::filesystem::path &root() const { return m_root; }
    std::string path(const std::string &relative = {}) const;

    // Creates an empty file, and the folders on its way.
    void touch(const std::string &relative) const;
    void link(const std::string &target, const std::string &relative) const;

private:
    std::filesystem::path m_root;
};
