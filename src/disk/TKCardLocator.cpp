#include "disk/TKCardLocator.h"

#include "config/FILEDATA.h"
#include "disk/TKUSBDiskDiscovery.h"

#include <algorithm>
#include <filesystem>

namespace {

std::string joined(const std::string &folder, const char *name)
{
    return (std::filesystem::path(folder) / name).string();
}

std::uintmax_t regularFileSize(const std::string &path)
{
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error))
        return 0;
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    return error ? 0 : size;
}

} // namespace

TKCardLocator::TKCardLocator(TKDiskService &service, VRDLogSink log)
    : m_service(service)
    , m_log(std::move(log))
{
}

void TKCardLocator::log(const std::string &line) const
{
    if (m_log)
        m_log(line);
}

TKCardLocator::Survey TKCardLocator::survey() const
{
    TKVolumeListing listing = m_service.listVolumes();
    Survey survey;
    survey.disks = TKUSBDiskEntities(listing.volumes);
    survey.deviceDisk = TKFindDeviceDisk(survey.disks);
    survey.problem = std::move(listing.problem);
    return survey;
}

std::optional<TKUSBDiskEntity> TKCardLocator::findDeviceDisk() const
{
    return survey().deviceDisk;
}

TKCardLocator::SettingsCard TKCardLocator::findSettingsCard() const
{
    const TKVolumeListing listing = m_service.listVolumes();
    SettingsCard found;
    if (TKMountedUSBVolumeURLs(listing.volumes).empty()) {
        log("no removable devices");
        return found;
    }
    found.anyUSBVolume = true;
    std::optional<TKUSBDiskEntity> disk = TKFindDeviceDisk(TKUSBDiskEntities(listing.volumes));
    if (!disk)
        return found;
    const std::uintmax_t size = regularFileSize(settingsFilePath(*disk));
    log("sizeof(FILEDATA) : " + std::to_string(kFileDataSize));
    if (size != kFileDataSize)
        return found;

    if (disk->volumeName() != kVolumeName) {
        found.renameProblem = renameToCardLabel(*disk);
        // The label is the only change, so the same volume comes back.
        if (std::optional<TKUSBDiskEntity> renamed = findDeviceDisk())
            disk = std::move(renamed);
    }
    found.card = std::move(disk);
    return found;
}

std::string TKCardLocator::renameToCardLabel(const TKUSBDiskEntity &disk) const
{
    const TKVolumeListing listing = m_service.listVolumes();
    const auto volume = std::find_if(listing.volumes.begin(), listing.volumes.end(),
                                     [&disk](const TKVolumeDescription &v) { return v.key == disk.key(); });
    if (volume == listing.volumes.end())
        return "the volume is no longer listed";
    const TKStatus<> labelled = m_service.setLabel(*volume, kVolumeName);
    return labelled ? std::string() : labelled.error();
}

std::optional<std::string> TKCardLocator::findVolumeHolding(const std::string &fileName) const
{
    const TKVolumeListing listing = m_service.listVolumes();
    if (!listing.problem.empty())
        log(listing.problem);
    return TKUSBVolumeURLContainingFile(listing.volumes, fileName);
}

std::string TKCardLocator::settingsFilePath(const TKUSBDiskEntity &card)
{
    return joined(card.mountedURL(), kSettingsFileName);
}

std::string TKCardLocator::driveInfoFilePath(const TKUSBDiskEntity &card)
{
    return joined(card.mountedURL(), kDriveInfoFileName);
}
