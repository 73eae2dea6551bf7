#pragma once

#include "disk/TKDiskService.h"
#include "disk/TKUSBDiskEntity.h"
#include "io/VRDLogSink.h"

#include <optional>
#include <string>
#include <vector>

// Finds the camera's card among the removable volumes and names the files the
// camera keeps on it. The settings window, the clock window and the command
// line share it, so they agree on which card is the camera's.
class TKCardLocator {
public:
    static constexpr const char *kVolumeName = "TOVIK";
    static constexpr const char *kSettingsFileName = "config.bin";
    static constexpr const char *kDriveInfoFileName = "DrvInfo/tovik_000.drv";

    // What a search for the card whose settings to edit found.
    struct SettingsCard {
        // False when no removable USB volume is mounted at all.
        bool anyUSBVolume = false;
        // The chosen card, when it holds a config.bin of the record's size.
        std::optional<TKUSBDiskEntity> card;
        // Why the card could not be labelled "TOVIK"; empty when it was not
        // needed or worked.
        std::string renameProblem;
    };

    // The USB disks as the service lists them now, and the camera's among them.
    struct Survey {
        std::vector<TKUSBDiskEntity> disks;
        std::optional<TKUSBDiskEntity> deviceDisk;
        // Why the service could not be asked; empty when it answered.
        std::string problem;
    };

    TKCardLocator(TKDiskService &service, VRDLogSink log = {});

    Survey survey() const;

    // The card most likely to be the camera's (TKFindDeviceDisk), or none.
    std::optional<TKUSBDiskEntity> findDeviceDisk() const;
    // The chosen card when its config.bin has the record's size; a card of
    // another label is renamed "TOVIK" first (on failure it is used as it is).
    SettingsCard findSettingsCard() const;
    // The mount point of the first USB volume holding `fileName` at its root.
    std::optional<std::string> findVolumeHolding(const std::string &fileName) const;

    static std::string settingsFilePath(const TKUSBDiskEntity &card);
    static std::string driveInfoFilePath(const TKUSBDiskEntity &card);

private:
    std::string renameToCardLabel(const TKUSBDiskEntity &disk) const;
    void log(const std::string &line) const;

    TKDiskService &m_service;
    VRDLogSink m_log;
};
