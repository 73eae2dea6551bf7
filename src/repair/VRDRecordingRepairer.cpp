#include "repair/VRDRecordingRepairer.h"

#include "io/VRDFileByteSource.h"
#include "mp4/VRDCameraMp4Writer.h"
#include "repair/VRDCutOffDetector.h"
#include "repair/VRDKeyFrameDecodeCheck.h"
#include "repair/VRDMediaScanner.h"
#include "repair/VRDRecoveredFileSink.h"
#include "repair/VRDReferenceFinder.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <vector>

#include <fcntl.h>
#include <sys/statvfs.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// Takes the first video sample of the media data and stops the scan.
class FirstVideoSample final : public VRDRecoveredSampleSink {
public:
    bool video(std::span<const std::uint8_t> sample, bool keyFrame) override
    {
        bytes.assign(sample.begin(), sample.end());
        key = keyFrame;
        return false;
    }
    bool audio(std::span<const std::uint8_t>) override { return true; }
    bool data(std::span<const std::uint8_t>) override { return true; }

    std::vector<std::uint8_t> bytes;
    bool key = false;
};

VRDRepairOutcome failed(VRDRepairOutcome outcome, std::string error)
{
    outcome.status = VRDRepairOutcome::Status::Failed;
    outcome.error = std::move(error);
    return outcome;
}

bool onReadOnlyMount(const fs::path &folder)
{
    struct statvfs info {};
    return ::statvfs(folder.c_str(), &info) == 0 && (info.f_flag & ST_RDONLY) != 0;
}

constexpr unsigned kTemporaryNameAttempts = 64;

// A name that is free in the output's folder, short as the card's file system likes it.
std::optional<fs::path> temporaryPathBeside(const fs::path &output)
{
    const unsigned seed = static_cast<unsigned>(::getpid()) * 2654435761u;
    std::error_code error;
    for (unsigned attempt = 0; attempt < kTemporaryNameAttempts; ++attempt) {
        char name[16];
        std::snprintf(name, sizeof name, "TKR%05X.TMP", (seed + attempt * 7919u) & 0xFFFFFu);
        const fs::path candidate = output.parent_path() / name;
        if (!fs::exists(candidate, error))
            return candidate;
    }
    return std::nullopt;
}

bool syncFolder(const fs::path &folder)
{
    const int descriptor = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (descriptor < 0)
        return false;
    const bool synced = ::fsync(descriptor) == 0;
    return ::close(descriptor) == 0 && synced;
}

double secondsOf(const VRDScanResult &scan, const VRDReferenceRecording &reference)
{
    const auto seconds = [](std::uint64_t count, const VRDReferenceTrack &track) {
        return track.timescale > 0 ? static_cast<double>(count) * track.typicalDuration / track.timescale : 0.0;
    };
    double longest = seconds(scan.videoFrames, *reference.video);
    if (reference.audio)
        longest = std::max(longest, seconds(scan.audioFrames, *reference.audio));
    return longest;
}

} // namespace

std::string VRDRecordingRepairer::defaultOutputPath(const std::string &input)
{
    const fs::path path(input);
    return (path.parent_path() / kRecoveredFolder / path.filename()).string();
}

bool VRDRecordingRepairer::isCutOff(const std::string &path)
{
    VRDFileByteSource source;
    return source.open(path) && VRDCutOffDetector::inspect(source).kind == VRDRecordingState::Kind::CutOff;
}

VRDRepairOutcome VRDRecordingRepairer::repair(const VRDRepairRequest &request)
{
    VRDRepairOutcome outcome;
    outcome.input = request.input;
    VRDFileByteSource input;
    if (!input.open(request.input))
        return failed(outcome, "cannot open " + request.input + ": " + std::strerror(errno));
    const VRDRecordingState state = VRDCutOffDetector::inspect(input);
    if (state.kind == VRDRecordingState::Kind::NotCamera)
        return failed(outcome, "not the camera's recording: " + state.reason);
    if (state.kind == VRDRecordingState::Kind::Healthy) {
        outcome.status = VRDRepairOutcome::Status::NotCutOff;
        return outcome;
    }
    if (state.mediaEnd <= state.mediaBegin)
        return failed(outcome, "nothing recoverable: " + state.reason);

    outcome.output = request.output.empty() ? defaultOutputPath(request.input) : request.output;
    std::error_code error;
    if (fs::exists(outcome.output, error) && fs::equivalent(outcome.output, request.input, error))
        return failed(outcome, "the output would replace the recording itself");
    if (fs::exists(outcome.output, error) && !request.force)
        return failed(outcome, outcome.output + " exists already (--force replaces it)");

    std::string referenceError;
    const std::optional<Reference> reference = chooseReference(request, input, state.mediaBegin, state.mediaEnd, referenceError);
    if (!reference)
        return failed(outcome, referenceError);
    outcome.reference = reference->path;
    if (!rebuild(*reference, input, state.mediaBegin, state.mediaEnd, outcome))
        return outcome;
    outcome.status = VRDRepairOutcome::Status::Recovered;
    return outcome;
}

std::optional<VRDRecordingRepairer::Reference> VRDRecordingRepairer::chooseReference(
    const VRDRepairRequest &request, VRDByteSource &input, std::uint64_t mediaBegin, std::uint64_t mediaEnd,
    std::string &error)
{
    const std::vector<std::string> candidates
        = request.reference.empty() ? VRDReferenceFinder::candidates(request.input) : std::vector{request.reference};
    for (const std::string &candidate : candidates) {
        VRDFileByteSource source;
        std::string why;
        if (!source.open(candidate)) {
            why = std::string("cannot open it: ") + std::strerror(errno);
        } else if (std::optional<VRDReferenceRecording> recording = VRDReferenceRecording::read(source, why)) {
            if (fits(*recording, input, mediaBegin, mediaEnd))
                return Reference{candidate, std::move(*recording)};
            why = "its picture set-up does not match the recording's";
        }
        if (!request.reference.empty()) {
            error = "the reference " + candidate + " cannot be used: " + why;
            return std::nullopt;
        }
    }
    error = "no usable reference: no healthy recording of the same camera and picture size nearby (give one with --reference)";
    return std::nullopt;
}

bool VRDRecordingRepairer::fits(const VRDReferenceRecording &reference, VRDByteSource &input, std::uint64_t mediaBegin,
                                std::uint64_t mediaEnd)
{
    VRDMediaScanner scanner(reference);
    FirstVideoSample first;
    scanner.scan(input, mediaBegin, mediaEnd, first);
    return !first.bytes.empty() && first.key
        && VRDKeyFrameDecodeCheck::decodes(reference.video->decoderConfig, first.bytes, reference.video->width,
                                           reference.video->height);
}

bool VRDRecordingRepairer::rebuild(const Reference &reference, VRDByteSource &input,
                                   std::uint64_t mediaBegin, std::uint64_t mediaEnd, VRDRepairOutcome &outcome)
{
    const fs::path output(outcome.output);
    const fs::path folder = output.parent_path().empty() ? fs::path(".") : output.parent_path();
    std::error_code error;
    fs::create_directories(folder, error);
    if (error) {
        outcome.writeProtected = error.value() == EROFS || onReadOnlyMount(folder.parent_path());
        outcome.error = outcome.writeProtected ? "cannot write " + folder.string() + ": the card is write-protected"
                                               : "cannot make " + folder.string() + ": " + error.message();
        return false;
    }
    const std::optional<fs::path> free = temporaryPathBeside(output);
    if (!free) {
        outcome.error = "no free temporary name in " + folder.string();
        return false;
    }
    const fs::path temporary = *free;
    VRDCameraMp4Writer writer(temporary.string());
    VRDRecoveredFileSink sink(writer, reference.recording);
    VRDMediaScanner scanner(reference.recording);
    const VRDScanResult scan = sink.ready() ? scanner.scan(input, mediaBegin, mediaEnd, sink) : VRDScanResult{};
    const bool written = sink.ready() && scan.videoFrames + scan.audioFrames + scan.dataSamples > 0 && writer.finish();
    if (!written || (fs::rename(temporary, output, error), error) || !syncFolder(folder)) {
        fs::remove(temporary, error);
        outcome.writeProtected = writer.writeProtected() || onReadOnlyMount(folder);
        if (outcome.writeProtected)
            outcome.error = "cannot write " + output.string() + ": the card is write-protected";
        else if (!writer.error().empty())
            outcome.error = "cannot write " + output.string() + ": " + writer.error();
        else if (sink.ready() && scan.videoFrames + scan.audioFrames + scan.dataSamples == 0)
            outcome.error = "nothing recoverable: " + scan.stopReason;
        else
            outcome.error = "cannot write " + output.string();
        return false;
    }
    outcome.videoFrames = scan.videoFrames;
    outcome.audioFrames = scan.audioFrames;
    outcome.dataSamples = scan.dataSamples;
    outcome.seconds = secondsOf(scan, reference.recording);
    return true;
}
