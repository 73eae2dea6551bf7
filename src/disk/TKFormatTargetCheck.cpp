#include "disk/TKFormatTargetCheck.h"

#include "disk/TKFormatHelperExit.h"
#include "disk/TKMountTable.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <system_error>

#include <sys/stat.h>
#include <sys/sysmacros.h>

namespace fs = std::filesystem;

namespace {

std::optional<std::string> readText(const fs::path &path)
{
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return std::nullopt;
    std::string text{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    if (file.bad())
        return std::nullopt;
    return text;
}

bool isPartitionFolder(const fs::path &folder)
{
    std::error_code error;
    return fs::exists(folder / "partition", error);
}

// A USB host controller's bus appears in the device's sysfs path as "usb1", "usb2", …
bool isBelowUsbBus(const fs::path &folder)
{
    return std::any_of(folder.begin(), folder.end(), [](const fs::path &part) {
        const std::string name = part.string();
        return name.size() > 3 && name.compare(0, 3, "usb") == 0
            && std::all_of(name.begin() + 3, name.end(), [](char c) { return c >= '0' && c <= '9'; });
    });
}

bool isRemovable(const fs::path &diskFolder)
{
    const std::optional<std::string> flag = readText(diskFolder / "removable");
    return flag && flag->substr(0, 1) == "1";
}

} // namespace

// The device, and every sysfs folder that shares its medium: its disk when it
// is a partition, its partitions when it is a whole disk.
struct TKFormatTargetCheck::Target {
    TKDeviceNumber number;
    std::vector<fs::path> folders;

    bool covers(const std::string &kernelName) const
    {
        return std::any_of(folders.begin(), folders.end(),
                           [&](const fs::path &folder) { return folder.filename() == kernelName; });
    }
};

TKBlockDeviceSources TKBlockDeviceSources::system()
{
    TKBlockDeviceSources sources;
    sources.blockDeviceAt = [](const std::string &path) -> std::optional<TKDeviceNumber> {
        struct stat status {};
        if (::stat(path.c_str(), &status) != 0 || !S_ISBLK(status.st_mode))
            return std::nullopt;
        return TKDeviceNumber{major(status.st_rdev), minor(status.st_rdev)};
    };
    return sources;
}

TKFormatTargetCheck::TKFormatTargetCheck(TKBlockDeviceSources sources)
    : m_sources(std::move(sources))
{
}

std::optional<fs::path> TKFormatTargetCheck::sysfsFolder(TKDeviceNumber number) const
{
    std::error_code error;
    const std::string name = std::to_string(number.major) + ":" + std::to_string(number.minor);
    const fs::path link = m_sources.sysfs / "dev" / "block" / name;
    fs::path folder = fs::canonical(link, error);
    if (error)
        return std::nullopt;
    return folder;
}

TKFormatTargetVerdict TKFormatTargetCheck::check(const std::string &devicePath) const
{
    const std::optional<TKDeviceNumber> number = m_sources.blockDeviceAt(devicePath);
    if (!number)
        return {TKFormatHelperExit::kNotABlockDevice, devicePath + " is not a block device"};
    const std::optional<fs::path> folder = sysfsFolder(*number);
    if (!folder)
        return {TKFormatHelperExit::kCannotInspect, "the kernel does not describe " + devicePath + " in sysfs"};

    const bool partition = isPartitionFolder(*folder);
    const fs::path diskFolder = partition ? folder->parent_path() : *folder;
    if (!isRemovable(diskFolder) && !isBelowUsbBus(diskFolder))
        return {TKFormatHelperExit::kNotRemovable, devicePath + " is neither a removable medium nor on a USB bus"};

    Target target{*number, {*folder}};
    if (partition) {
        target.folders.push_back(diskFolder);
    } else {
        std::error_code error;
        for (fs::directory_iterator entry(diskFolder, error), end; !error && entry != end; entry.increment(error)) {
            if (isPartitionFolder(entry->path()))
                target.folders.push_back(entry->path());
        }
        if (error)
            return {TKFormatHelperExit::kCannotInspect, "cannot list the partitions of " + devicePath};
    }

    if (std::optional<TKFormatTargetVerdict> refusal = heldBy(target))
        return *refusal;
    if (std::optional<TKFormatTargetVerdict> refusal = usedBy(target, m_sources.mounts, false))
        return *refusal;
    // A kernel without swap support has no table of swap areas.
    std::error_code error;
    if (fs::exists(m_sources.swaps, error)) {
        if (std::optional<TKFormatTargetVerdict> refusal = usedBy(target, m_sources.swaps, true))
            return *refusal;
    }
    return {};
}

std::optional<TKFormatTargetVerdict> TKFormatTargetCheck::heldBy(const Target &target) const
{
    for (const fs::path &folder : target.folders) {
        std::error_code error;
        fs::directory_iterator holders(folder / "holders", error);
        if (!error && holders != fs::directory_iterator())
            return TKFormatTargetVerdict{TKFormatHelperExit::kInUse, folder.filename().string() + " is in use by "
                                                                         + holders->path().filename().string()};
    }
    return std::nullopt;
}

// A refusal for the first entry of a mount or swap table on the target's medium.
std::optional<TKFormatTargetVerdict> TKFormatTargetCheck::usedBy(const Target &target, const fs::path &table,
                                                                 bool swaps) const
{
    const std::optional<std::string> text = readText(table);
    if (!text)
        return TKFormatTargetVerdict{TKFormatHelperExit::kCannotInspect, "cannot read " + table.string()};
    const std::vector<TKMountEntry> entries =
        swaps ? TKMountTable::parseSwaps(*text) : TKMountTable::parseMounts(*text);
    for (const TKMountEntry &entry : entries) {
        if (entry.source.empty() || entry.source.front() != '/')
            continue;
        const std::optional<TKDeviceNumber> number = m_sources.blockDeviceAt(entry.source);
        if (!number)
            continue;
        const std::optional<fs::path> folder = sysfsFolder(*number);
        if (*number == target.number || (folder && target.covers(folder->filename().string())))
            return TKFormatTargetVerdict{TKFormatHelperExit::kInUse,
                                         swaps ? entry.source + " is used as swap"
                                               : entry.source + " is mounted on " + entry.mountPoint};
    }
    return std::nullopt;
}
