#pragma once

#include <string>
#include <utility>
#include <vector>

// The files of one export under temporary names in the target folder,
// renamed to their own names only when every one of them is complete. A
// staging that is not committed removes what it wrote, so a cancel, a full
// disk or an error leaves no file of the export behind.
class VRDExportStaging {
public:
    explicit VRDExportStaging(std::string directory);
    ~VRDExportStaging();
    VRDExportStaging(const VRDExportStaging &) = delete;
    VRDExportStaging &operator=(const VRDExportStaging &) = delete;

    // The temporary path to write the file that will be called `name`;
    // hidden and with an extension no recording library takes.
    std::string stage(const std::string &name);
    // Syncs every staged file, renames each to its name and syncs the folder.
    // On a failure the files renamed so far are removed again and any file
    // they replaced is put back, so the folder is as it was.
    bool commit(std::string &error);
    // Removes every staged file.
    void discard();

    // Writes the whole text to the path and syncs it.
    static bool writeText(const std::string &path, const std::string &text, std::string &error);

private:
    std::string m_directory;
    std::vector<std::pair<std::string, std::string>> m_staged; // temporary path, final path
    bool m_done = false;
};
