#include "export/VRDClipExporter.h"

#include "export/VRDAvInput.h"
#include "export/VRDClipName.h"
#include "export/VRDClipPlanner.h"
#include "export/VRDClipSamples.h"
#include "export/VRDClipTrackWriter.h"
#include "export/VRDExportStaging.h"
#include "export/VRDIncidentReportBuilder.h"
#include "export/VRDIncidentReportWriter.h"
#include "export/VRDLosslessExporter.h"
#include "export/VRDManifestWriter.h"
#include "export/VRDSegmentCut.h"
#include "export/VRDSha256.h"
#include "maps/TKTileStore.h"
#include "media/VRDMediaWalker.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>

#include <unistd.h>

namespace fs = std::filesystem;

namespace {

using Outcome = VRDClipExporter::Outcome;

Outcome failure(std::string error)
{
    return {false, std::move(error), {}};
}

std::string utcNow()
{
    using namespace std::chrono;
    const sys_seconds now = floor<seconds>(system_clock::now());
    const sys_days day = floor<days>(now);
    const year_month_day date{day};
    const hh_mm_ss clock{now - day};
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02u-%02uT%02d:%02d:%02dZ", static_cast<int>(date.year()),
                  static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()),
                  static_cast<int>(clock.hours().count()), static_cast<int>(clock.minutes().count()),
                  static_cast<int>(clock.seconds().count()));
    return text;
}

std::string folderOf(const std::string &path)
{
    const fs::path parent = fs::path(path).parent_path();
    return parent.empty() ? std::string(".") : parent.string();
}

// Each segment narrowed to what a lossless cut keeps: from the key frame
// at or before its start to the end of the picture shown at its end.
std::optional<VRDClipChannel> cutChannel(const VRDClipChannel &channel, std::string &error)
{
    VRDClipChannel cut{channel.front, {}};
    for (const VRDClipSegment &segment : channel.segments) {
        VRDAvInput input;
        if (!input.open(segment.path)) {
            error = input.error();
            return std::nullopt;
        }
        const std::optional<VRDSegmentCut> span = VRDSegmentCut::find(input, segment, error);
        if (!span)
            return std::nullopt;
        cut.segments.push_back({segment.path, span->start, std::min(span->end, segment.duration), segment.duration, segment.chainStart});
    }
    return cut;
}

// Whether `path` is `folder` or lies below it.
bool within(const fs::path &folder, const fs::path &path)
{
    return std::mismatch(folder.begin(), folder.end(), path.begin(), path.end()).first == folder.end();
}

// The catalog without the recordings inside `folder`: exports of earlier
// clips kept below the card's folder are neither joined nor paired.
VRDMediaCatalog withoutFolder(const VRDMediaCatalog &catalog, const std::string &folder)
{
    std::error_code error;
    const fs::path excluded = fs::weakly_canonical(folder, error);
    const fs::path walked = fs::weakly_canonical(catalog.directoryPath(), error);
    // Only a folder below the walked one can hold earlier exports; the
    // walked folder itself is refused as a target later on.
    if (error || !within(walked, excluded) || excluded == walked)
        return catalog;
    VRDMediaCatalog kept(catalog.directoryPath(), catalog.directoryListed());
    for (const auto &media : catalog.medias()) {
        const fs::path place = fs::weakly_canonical(std::string(media->dir()), error);
        if (error || !within(excluded, place))
            kept.addMedia(media);
    }
    return kept;
}

// A part of the progress bar for one step of the export.
VRDExportMonitor stepOf(const VRDExportMonitor &whole, double begin, double length)
{
    return {[&whole, begin, length](double fraction) { whole.report(begin + length * fraction); }, whole.cancel};
}

std::optional<VRDExportFile> describe(const std::string &path, const std::string &name, const std::string &role,
                                      const std::string &time)
{
    std::error_code error;
    const std::uintmax_t bytes = fs::file_size(path, error);
    const std::optional<std::string> hash = VRDSha256OfFile(path);
    if (error || !hash)
        return std::nullopt;
    return VRDExportFile{name, role, *hash, bytes, time};
}

} // namespace

Outcome VRDClipExporter::run(const Request &request, const VRDExportMonitor &monitor)
{
    std::error_code fileError;
    if (!fs::is_regular_file(request.file, fileError) || ::access(request.file.c_str(), R_OK) != 0)
        return failure(request.file + ": cannot read the file");

    const VRDMediaCatalog catalog = withoutFolder(VRDMediaWalker::walk(folderOf(request.file)), request.directory);
    const VRDClipPlanner planner(catalog, VRDAvInput::probeVideoDuration);
    double to = request.to;
    if (request.trimToRecordings) {
        const std::vector<VRDClipSegment> reach = planner.stretch(request.file, 0.0, request.to);
        if (!reach.empty())
            to = std::min(to, reach.back().chainStart + reach.back().to);
    }
    VRDClipPlanner::Result planned = planner.plan(request.file, request.from, to);
    if (!planned.clip)
        return failure(planned.error);
    const VRDClip &clip = *planned.clip;

    std::vector<std::string> originals;
    for (const VRDClipChannel &channel : clip.channels) {
        for (const VRDClipSegment &segment : channel.segments)
            originals.push_back(fs::equivalent(segment.path, request.file, fileError) ? request.file : segment.path);
    }
    for (const std::string &original : originals) {
        if (fs::equivalent(request.directory, folderOf(original), fileError))
            return failure(request.directory + ": is the recordings' own folder; choose another");
    }
    if (!fs::is_directory(request.directory, fileError)) {
        fs::create_directories(request.directory, fileError);
        if (fileError)
            return failure("cannot make the folder " + request.directory + ": " + fileError.message());
    }
    if (::access(request.directory.c_str(), W_OK | X_OK) != 0)
        return failure(request.directory + ": folder not writable");

    const std::string &group = clip.groupName;
    std::vector<std::pair<std::string, const VRDClipChannel *>> channelFiles;
    for (const VRDClipChannel &channel : clip.channels)
        channelFiles.emplace_back(group + "_" + channel.suffix() + ".MP4", &channel);
    std::vector<std::string> names;
    for (const auto &entry : channelFiles)
        names.push_back(entry.first);
    names.push_back(group + ".gpx");
    names.push_back(group + ".csv");
    if (request.sideBySide)
        names.push_back(group + "_pip.mp4");
    if (request.report)
        names.push_back(group + "_report.pdf");
    names.push_back("manifest.json");
    if (!request.force) {
        for (const std::string &name : names) {
            if (fs::exists(fs::path(request.directory) / name, fileError))
                return failure((fs::path(request.directory) / name).string() + " exists (--force replaces it)");
        }
    }

    std::string error;
    std::vector<VRDClipChannel> cuts;
    double actualFrom = clip.to;
    for (const VRDClipChannel &channel : clip.channels) {
        std::optional<VRDClipChannel> cut = cutChannel(channel, error);
        if (!cut)
            return failure(error);
        actualFrom = std::min(actualFrom, cut->segments.front().chainStart + cut->segments.front().from);
        cuts.push_back(std::move(*cut));
    }

    VRDExportStaging staging(request.directory);
    std::vector<std::pair<std::string, std::string>> made; // temporary path, name
    const auto stage = [&](const std::string &name) {
        made.emplace_back(staging.stage(name), name);
        return made.back().first;
    };
    const auto cancelled = [&]() { return monitor.cancelled() ? std::optional<Outcome>(failure("cancelled")) : std::nullopt; };

    for (std::size_t i = 0; i < channelFiles.size(); ++i) {
        const double share = 0.25 / static_cast<double>(channelFiles.size());
        if (!VRDLosslessExporter::write(*channelFiles[i].second, stage(channelFiles[i].first),
                                        stepOf(monitor, share * static_cast<double>(i), share), error))
            return failure(error);
    }
    if (auto stop = cancelled())
        return *stop;

    const std::optional<VRDClipSamples> track = VRDClipSamples::read(cuts.front().segments, error);
    if (!track)
        return failure(error);
    if (!VRDExportStaging::writeText(stage(group + ".gpx"), VRDClipTrackWriter::gpx(*track, group), error)
        || !VRDExportStaging::writeText(stage(group + ".csv"), VRDClipTrackWriter::csv(*track), error))
        return failure(error);
    monitor.report(0.3);
    if (auto stop = cancelled())
        return *stop;

    if (request.sideBySide) {
        const std::optional<VRDClipSamples> clipSamples = VRDClipSamples::read(clip.channels.front().segments, error);
        if (!clipSamples)
            return failure(error);
        if (!VRDSideBySideExporter::write(clip, *clipSamples, stage(group + "_pip.mp4"), request.sideBySideOptions,
                                          stepOf(monitor, 0.3, 0.55), error))
            return failure(error);
    }
    if (auto stop = cancelled())
        return *stop;

    const std::string created = utcNow();
    std::vector<VRDExportFile> files;
    for (const std::string &original : originals) {
        const VRDMedia media(original);
        const std::optional<long long> start = VRDClipName::localStart(media);
        std::optional<VRDExportFile> file =
            describe(original, original, "original", start ? VRDClipName::dateTimeText(*start) + " (camera clock)" : "");
        if (!file)
            return failure(original + ": cannot read the file");
        files.push_back(std::move(*file));
    }
    const auto describeExports = [&]() -> bool {
        for (std::size_t i = files.size() - originals.size(); i < made.size(); ++i) {
            std::optional<VRDExportFile> file = describe(made[i].first, made[i].second, "export", created);
            if (!file) {
                error = made[i].first + ": cannot read back";
                return false;
            }
            files.push_back(std::move(*file));
        }
        return true;
    };
    if (!describeExports())
        return failure(error);

    if (request.report) {
        const std::optional<VRDClipSamples> clipSamples = VRDClipSamples::read(clip.channels.front().segments, error);
        if (!clipSamples)
            return failure(error);
        const double instant = request.instant.value_or(VRDIncidentReportBuilder::strongestInstant(clip, *clipSamples));
        std::string stillError;
        // Made here, in the thread that exports: an MBTiles file's database
        // connection belongs to the thread that opened it.
        const TKTileStore tiles(request.mapSource, request.tileRoot);
        VRDIncidentReport report = VRDIncidentReportBuilder::build(clip, planner, request.file, instant, tiles, stillError);
        report.files = files;
        report.version = request.version;
        if (!VRDIncidentReportWriter::write(report, stage(group + "_report.pdf"), error))
            return failure(error);
        if (!describeExports())
            return failure(error);
    }
    monitor.report(0.95);
    if (auto stop = cancelled())
        return *stop;

    if (!VRDExportStaging::writeText(stage("manifest.json"), VRDManifestWriter::json(clip.from, clip.to, actualFrom, created, files),
                                     error))
        return failure(error);
    if (!staging.commit(error))
        return failure(error);
    Outcome outcome{true, {}, {}};
    for (const auto &[temporary, name] : made)
        outcome.written.push_back((fs::path(request.directory) / name).string());
    monitor.report(1.0);
    return outcome;
}
