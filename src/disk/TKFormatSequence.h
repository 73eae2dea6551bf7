#pragma once

#include "disk/TKFormatResult.h"
#include "disk/TKUSBDiskEntity.h"
#include "disk/TKVolumeDescription.h"

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

class TKCommandRunner;
class TKDiskService;

// Prepares a card for the dashcam: keeps its config.bin aside, unmounts it,
// makes the FAT32 "TOVIK" file system with administrator rights, mounts it
// again and puts config.bin back (or writes a default one). Blocking: the
// format window and the command line run it off the main thread and show the
// steps it reports.
class TKFormatSequence {
public:
    using StepObserver = std::function<void(const TKFormatStep &)>;

    // The saved config.bin goes into a fresh folder inside temporaryFolder.
    TKFormatSequence(TKDiskService &diskService, TKCommandRunner &runner, std::filesystem::path temporaryFolder);

    TKFormatResult run(const std::string &deviceName, const StepObserver &observer);

private:
    struct Run;

    std::optional<std::string> checkFormattable(Run &run);
    std::optional<std::string> keepSettingsAside(Run &run);
    std::optional<std::string> unmountVolumes(Run &run);
    std::optional<std::string> restoreSettings(Run &run, const TKUSBDiskEntity &disk);
    void discardSavedSettings(Run &run);

    TKDiskService &m_diskService;
    TKCommandRunner &m_runner;
    std::filesystem::path m_temporaryFolder;
};
