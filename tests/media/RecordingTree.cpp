#include "RecordingTree.h"

#include <cstdlib>
#include <fstream>
#include <stdexcept>
#include <vector>

namespace {

std::filesystem::path scratchArea()
{
    const char *fromEnvironment = std::getenv("TOVIK_TEST_TMP");
    return fromEnvironment != nullptr ? std::filesystem::path(fromEnvironment)
                                      : std::filesystem::temp_directory_path();
}

} // namespace

RecordingTree::RecordingTree()
{
    const std::filesystem::path area = scratchArea();
    std::filesystem::create_directories(area);
    std::string pattern = (area / "media-XXXXXX").string();
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    if (::mkdtemp(buffer.data()) == nullptr)
        throw std::runtime_error("cannot make a scratch folder in " + area.string());
    m_root = buffer.data();
}

RecordingTree::~RecordingTree()
{
    std::error_code ignored;
    std::filesystem::remove_all(m_root, ignored);
}

std::string RecordingTree::path(const std::string &relative) const
{
    return relative.empty() ? m_root.string() : (m_root / relative).string();
}

void RecordingTree::touch(const std::string &relative) const
{
    const std::filesystem::path file = m_root / relative;
    std::filesystem::create_directories(file.parent_path());
    std::ofstream out(file);
    if (!out)
        throw std::runtime_error("cannot create " + file.string());
}

void RecordingTree::link(const std::string &target, const std::string &relative) const
{
    const std::filesystem::path linkPath = m_root / relative;
    std::filesystem::create_directories(linkPath.parent_path());
    std::filesystem::create_symlink(target, linkPath);
}
