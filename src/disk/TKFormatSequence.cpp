#include "disk/TKFormatSequence.h"

#include "config/VRDFileData.h"
#include "disk/TKCommandRunner.h"
#include "disk/TKDiskService.h"
#include "disk/TKFormatPlan.h"
#include "disk/TKUSBDiskDiscovery.h"
#include "io/TKSafeFileWriter.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <utility>

namespace {

constexpr const char *kStepPrepare = "Formatting...";
constexpr const char *kStepUnmount = "unmount disk...";
constexpr const char *kStepFormat = "formatting...";
constexpr const char *kStepMount = "try mount...";
constexpr const char *kStepCompleted = "Format completed!";
constexpr const char *kSettingsFileName = "config.bin";

std::optional<std::string> readWholeFile(const std::filesystem::path &path, std::string &bytes)
{
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return "cannot open " + path.string();
    bytes.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    if (file.bad())
        return "cannot read " + path.string();
    return std::nullopt;
}

const TKVolumeDescription *findByKey(const std::vector<TKVolumeDescription> &volumes, const std::string &key)
{
    const auto found = std::find_if(volumes.begin(), volumes.end(),
                                    [&](const TKVolumeDescription &volume) { return volume.key == key; });
    return found == volumes.end() ? nullptr : &*found;
}

std::optional<TKUSBDiskEntity> findByDeviceName(const std::vector<TKVolumeDescription> &volumes,
                                                const std::string &deviceName)
{
    for (const TKUSBDiskEntity &disk : TKUSBDiskEntities(volumes)) {
        if (disk.deviceFilePath() == deviceName)
            return disk;
    }
    return std::nullopt;
}

std::string joinNotes(const std::vector<std::string> &notes)
{
    std::string text;
    for (const std::string &note : notes)
        text += (text.empty() ? "" : "; ") + note;
    return text;
}

} // namespace

struct TKFormatSequence::Run {
    std::string deviceName;
    const StepObserver &observer;
    TKVolumeDescription volume;
    std::vector<TKVolumeDescription> mediumVolumes;
    std::filesystem::path savedFolder;
    std::filesystem::path savedPath;
    TKFormatResult result;

    void report(const char *text, TKFormatStep::State state, std::string detail = {}) const
    {
        if (observer)
            observer(TKFormatStep{text, state, std::move(detail)});
    }

    TKFormatResult finish(const char *step, TKFormatResult::Status status, std::string message)
    {
        report(step, TKFormatStep::State::Failed, message);
        result.status = status;
        result.message = std::move(message);
        return result;
    }
};

TKFormatSequence::TKFormatSequence(TKDiskService &diskService, TKCommandRunner &runner,
                                   std::filesystem::path temporaryFolder)
    : m_diskService(diskService)
    , m_runner(runner)
    , m_temporaryFolder(std::move(temporaryFolder))
{
}

TKFormatResult TKFormatSequence::run(const std::string &deviceName, const StepObserver &observer)
{
    using State = TKFormatStep::State;
    using Status = TKFormatResult::Status;
    Run run{deviceName, observer, {}, {}, {}, {}, {}};

    run.report(kStepPrepare, State::Started);
    if (const auto problem = checkFormattable(run))
        return run.finish(kStepPrepare, Status::Refused, *problem);
    if (const auto problem = keepSettingsAside(run))
        return run.finish(kStepPrepare, Status::Refused, *problem);
    run.report(kStepPrepare, State::Succeeded,
               run.savedPath.empty() ? "no config.bin on the card" : "config.bin kept at " + run.savedPath.string());

    run.report(kStepUnmount, State::Started);
    if (const auto problem = unmountVolumes(run)) {
        for (const TKVolumeDescription &volume : run.mediumVolumes)
            m_diskService.mount(volume);
        discardSavedSettings(run);
        return run.finish(kStepUnmount, Status::Refused, *problem);
    }
    run.report(kStepUnmount, State::Succeeded);

    run.report(kStepFormat, State::Started);
    const std::vector<std::string> arguments = TKFormatCommandArguments(
        *TKDevicePathForName(deviceName), clusterSizeByVolumeSizeInKB(run.volume.size), run.volume.mediaWhole);
    const TKCommandResult formatted = m_runner.run(arguments, true);
    if (!formatted.succeeded()) {
        // The card may be half-written: the kept copy stays for the user.
        m_diskService.mount(run.volume);
        run.result.errorNumber = formatted.errorNumber;
        run.result.savedConfigPath = run.savedPath.string();
        return run.finish(kStepFormat, Status::FormatFailed, formatted.errorMessage);
    }
    run.report(kStepFormat, State::Succeeded);

    run.report(kStepMount, State::Started);
    if (const TKStatus<> mounted = m_diskService.mount(run.volume); !mounted)
        run.report(kStepMount, State::Failed, mounted.error());
    else
        run.report(kStepMount, State::Succeeded);

    run.report(kStepCompleted, State::Started);
    const TKVolumeListing listing = m_diskService.listVolumes();
    const std::optional<TKUSBDiskEntity> disk = findByDeviceName(listing.volumes, deviceName);
    if (!disk) {
        run.result.savedConfigPath = run.savedPath.string();
        return run.finish(kStepCompleted, Status::RestoreFailed,
                          deviceName + " was not found mounted after formatting");
    }
    run.result.displayString = disk->displayString();
    if (const auto problem = restoreSettings(run, *disk)) {
        run.result.savedConfigPath = run.savedPath.string();
        return run.finish(kStepCompleted, Status::RestoreFailed, *problem);
    }
    run.report(kStepCompleted, State::Succeeded,
               run.result.wroteDefaultSettings ? "default config.bin written" : "config.bin put back");
    run.result.status = Status::Completed;
    return run.result;
}

std::optional<std::string> TKFormatSequence::checkFormattable(Run &run)
{
    if (!TKDevicePathForName(run.deviceName))
        return "'" + run.deviceName + "' is not a device name";
    const TKVolumeListing listing = m_diskService.listVolumes();
    if (!listing.problem.empty())
        return "the disk service is not available: " + listing.problem;
    const std::optional<TKUSBDiskEntity> disk = findByDeviceName(listing.volumes, run.deviceName);
    if (!disk)
        return run.deviceName + " is not a mounted removable USB volume";
    run.result.displayString = disk->displayString();
    if (!disk->writable()) {
        run.result.errorNumber = TKCommandError::kWriteProtected;
        return disk->displayString() + " is write-protected";
    }
    if (disk->volumeSize() == 0)
        return disk->displayString() + " reports a size of 0 bytes";

    run.volume = *findByKey(listing.volumes, disk->key());
    for (const TKVolumeDescription &volume : listing.volumes) {
        const bool sameMedium = run.volume.mediaWhole && !run.volume.driveKey.empty()
            && volume.driveKey == run.volume.driveKey;
        if (volume.key == run.volume.key || (sameMedium && !volume.mountPath.empty()))
            run.mediumVolumes.push_back(volume);
    }
    return std::nullopt;
}

std::optional<std::string> TKFormatSequence::keepSettingsAside(Run &run)
{
    std::error_code error;
    const std::filesystem::path source = std::filesystem::path(run.volume.mountPath) / kSettingsFileName;
    // Only a regular file can be put back; any other entry of that name is not kept.
    if (!std::filesystem::is_regular_file(source, error))
        return std::nullopt;

    std::filesystem::create_directories(m_temporaryFolder, error);
    std::string folderTemplate = (m_temporaryFolder / "tovik-config-XXXXXX").string();
    if (!mkdtemp(folderTemplate.data()))
        return "could not make a folder in " + m_temporaryFolder.string()
            + " to keep config.bin aside, so the card was not formatted";
    run.savedFolder = folderTemplate;
    run.savedPath = run.savedFolder / kSettingsFileName;
    if (!std::filesystem::copy_file(source, run.savedPath, std::filesystem::copy_options::overwrite_existing,
                                    error)) {
        discardSavedSettings(run);
        return "could not keep config.bin aside (" + error.message() + "), so the card was not formatted";
    }
    return std::nullopt;
}

std::optional<std::string> TKFormatSequence::unmountVolumes(Run &run)
{
    std::vector<std::string> notes;
    for (const TKVolumeDescription &volume : run.mediumVolumes) {
        if (volume.mountPath.empty())
            continue;
        if (const TKStatus<> unmounted = m_diskService.unmount(volume); !unmounted)
            notes.push_back(volume.deviceName + ": " + unmounted.error());
    }
    // mkfs.fat must never run on a mounted file system: ask again rather than trust the answers.
    const TKVolumeListing listing = m_diskService.listVolumes();
    if (!listing.problem.empty())
        notes.push_back(listing.problem);
    for (const TKVolumeDescription &volume : run.mediumVolumes) {
        const TKVolumeDescription *now = findByKey(listing.volumes, volume.key);
        if (!listing.problem.empty() || (now && !now->mountPath.empty())) {
            notes.insert(notes.begin(), volume.deviceName + " is still mounted, so it was not formatted");
            return joinNotes(notes);
        }
    }
    return std::nullopt;
}

std::optional<std::string> TKFormatSequence::restoreSettings(Run &run, const TKUSBDiskEntity &disk)
{
    const std::string target = (std::filesystem::path(disk.mountedURL()) / kSettingsFileName).string();
    if (run.savedPath.empty()) {
        if (const TKStatus<TKFileError> written = VRDWriteDefaultFile(target); !written)
            return "could not write a default config.bin (" + written.failure().messageKey + ": "
                + written.failure().systemError + ")";
        run.result.wroteDefaultSettings = true;
        return std::nullopt;
    }

    std::string saved;
    if (const auto problem = readWholeFile(run.savedPath, saved))
        return *problem;
    if (const auto error = TKSafeFileWriter::writeWhole(target, saved))
        return "could not put config.bin back (" + error->systemError + ")";
    std::string written;
    if (const auto problem = readWholeFile(target, written))
        return *problem;
    if (written != saved)
        return "config.bin on the card differs from the kept copy";
    discardSavedSettings(run);
    return std::nullopt;
}

void TKFormatSequence::discardSavedSettings(Run &run)
{
    if (run.savedFolder.empty())
        return;
    std::error_code error;
    std::filesystem::remove_all(run.savedFolder, error);
    run.savedFolder.clear();
    run.savedPath.clear();
}
