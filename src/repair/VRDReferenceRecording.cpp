#include "repair/VRDReferenceRecording.h"

#include "repair/VRDCutOffDetector.h"
#include "repair/VRDRepairBoxes.h"

#include <algorithm>
#include <map>
#include <span>

using namespace VRDRepairBoxes;

namespace {

using Bytes = std::vector<std::uint8_t>;
using Span = std::span<const std::uint8_t>;

// An index this large belongs to no recording of the camera's.
constexpr std::uint64_t kLargestMovie = 256u << 20;
constexpr std::size_t kPatternChunks = 256;
constexpr std::size_t kVisualEntryFields = 78;
constexpr std::size_t kAudioEntryFields = 28;
constexpr std::size_t kTableHeader = 8; // version, flags, entry count

struct ChunkAt {
    std::uint64_t offset;
    VRDReferenceChunk chunk;
};

std::optional<Span> childPayload(Span parent, std::string_view type, std::uint64_t skip = 0)
{
    const std::optional<Box> box = child(parent, type, skip);
    if (!box)
        return std::nullopt;
    return payloadOf(parent, *box);
}

std::optional<Span> path(Span root, std::initializer_list<std::string_view> types)
{
    std::optional<Span> at = root;
    for (std::string_view type : types) {
        at = childPayload(*at, type);
        if (!at)
            return std::nullopt;
    }
    return at;
}

// Entry count of a table (at `countAt`, entries right after it), bounded by what its box holds.
std::uint32_t entries(Span table, std::size_t entrySize, std::size_t countAt = 4)
{
    const std::uint32_t declared = read32(table, countAt);
    const std::size_t start = countAt + 4;
    const std::size_t room = table.size() > start ? (table.size() - start) / entrySize : 0;
    return static_cast<std::uint32_t>(std::min<std::size_t>(declared, room));
}

std::uint32_t descriptorLength(Span bytes, std::size_t &at)
{
    std::uint32_t length = 0;
    for (int i = 0; i < 4 && at < bytes.size(); ++i) {
        const std::uint8_t byte = bytes[at++];
        length = length << 7 | (byte & 0x7F);
        if ((byte & 0x80) == 0)
            break;
    }
    return length;
}

// The AudioSpecificConfig inside an esds payload (ES, decoder config, decoder specific descriptors).
Bytes audioSpecificConfig(Span esds)
{
    std::size_t at = 4; // version, flags
    while (at + 2 <= esds.size()) {
        const std::uint8_t tag = esds[at++];
        const std::uint32_t length = descriptorLength(esds, at);
        if (tag == 0x03) {
            if (at + 3 > esds.size())
                break;
            const std::uint8_t flags = esds[at + 2];
            at += 3;
            if (flags & 0x80)
                at += 2;
            if ((flags & 0x40) && at < esds.size())
                at += 1 + esds[at];
            if (flags & 0x20)
                at += 2;
        } else if (tag == 0x04) {
            at += 13;
        } else if (tag == 0x05) {
            if (at + length > esds.size())
                break;
            return Bytes(esds.begin() + static_cast<std::ptrdiff_t>(at), esds.begin() + static_cast<std::ptrdiff_t>(at + length));
        } else {
            at += length;
        }
    }
    return {};
}

Bytes decoderConfig(Span stsd, const std::string &handler)
{
    const std::vector<Box> sampleEntries = children(stsd, kTableHeader);
    if (sampleEntries.empty())
        return {};
    const Span entry = payloadOf(stsd, sampleEntries.front());
    if (handler == "vide") {
        const std::optional<Span> avcC = childPayload(entry, "avcC", kVisualEntryFields);
        return avcC ? Bytes(avcC->begin(), avcC->end()) : Bytes{};
    }
    if (handler == "soun") {
        const std::optional<Span> esds = childPayload(entry, "esds", kAudioEntryFields);
        return esds ? audioSpecificConfig(*esds) : Bytes{};
    }
    return {};
}

void readDurations(Span stts, VRDReferenceTrack &track)
{
    std::map<std::uint32_t, std::uint64_t> totals;
    const std::uint32_t count = entries(stts, 8);
    for (std::uint32_t i = 0; i < count; ++i)
        totals[read32(stts, kTableHeader + 8 * i + 4)] += read32(stts, kTableHeader + 8 * i);
    std::uint64_t best = 0;
    for (const auto &[duration, samples] : totals) {
        if (samples > best) {
            best = samples;
            track.typicalDuration = duration;
        }
    }
}

void readSizes(Span stsz, VRDReferenceTrack &track)
{
    const std::uint32_t fixed = read32(stsz, 4);
    track.sampleCount = read32(stsz, 8);
    if (fixed != 0) {
        track.largestSample = fixed;
        return;
    }
    const std::uint32_t count = entries(stsz, 4, 8);
    track.sampleCount = count;
    for (std::uint32_t i = 0; i < count; ++i)
        track.largestSample = std::max(track.largestSample, read32(stsz, 12 + 4 * i));
}

// Chunk offsets with their sample counts, from stco or co64 and stsc.
void readChunks(Span stbl, VRDReferenceChunk::Kind kind, VRDReferenceTrack &track, std::vector<ChunkAt> &chunks)
{
    const std::optional<Span> stsc = childPayload(stbl, "stsc");
    std::optional<Span> offsets = childPayload(stbl, "stco");
    const bool wide = !offsets;
    if (wide)
        offsets = childPayload(stbl, "co64");
    if (!stsc || !offsets)
        return;
    const std::uint32_t chunkCount = entries(*offsets, wide ? 8 : 4);
    const std::uint32_t runs = entries(*stsc, 12);
    std::uint32_t run = 0;
    for (std::uint32_t chunk = 0; chunk < chunkCount; ++chunk) {
        while (run + 1 < runs && read32(*stsc, kTableHeader + 12 * (run + 1)) <= chunk + 1)
            ++run;
        const std::uint32_t samples = runs > 0 ? read32(*stsc, kTableHeader + 12 * run + 4) : 0;
        track.largestChunk = std::max(track.largestChunk, samples);
        const std::size_t at = kTableHeader + (wide ? 8 : 4) * chunk;
        const std::uint64_t offset = wide ? std::uint64_t{read32(*offsets, at)} << 32 | read32(*offsets, at + 4)
                                          : read32(*offsets, at);
        chunks.push_back({offset, {kind, samples}});
    }
}

std::optional<VRDReferenceTrack> readTrack(Span trak, std::vector<ChunkAt> &chunks, bool isDataTrack)
{
    const std::optional<Span> mdia = childPayload(trak, "mdia");
    const std::optional<Span> hdlr = mdia ? childPayload(*mdia, "hdlr") : std::nullopt;
    const std::optional<Span> mdhd = mdia ? childPayload(*mdia, "mdhd") : std::nullopt;
    const std::optional<Span> stbl = mdia ? path(*mdia, {"minf", "stbl"}) : std::nullopt;
    if (!hdlr || !mdhd || !stbl || hdlr->size() < 12)
        return std::nullopt;
    VRDReferenceTrack track;
    track.handler.assign(reinterpret_cast<const char *>(hdlr->data() + 8), 4);
    track.timescale = read32(*mdhd, (*mdhd)[0] == 1 ? 20 : 12);
    const std::optional<Box> stsd = child(*stbl, "stsd");
    if (stsd) {
        const Span whole = stbl->subspan(static_cast<std::size_t>(stsd->offset), static_cast<std::size_t>(stsd->size));
        track.sampleDescription.assign(whole.begin(), whole.end());
        track.decoderConfig = decoderConfig(payloadOf(*stbl, *stsd), track.handler);
    }
    if (const std::optional<Span> tkhd = childPayload(trak, "tkhd"); tkhd && tkhd->size() >= 8) {
        track.width = read16(*tkhd, tkhd->size() - 8);
        track.height = read16(*tkhd, tkhd->size() - 4);
    }
    if (const std::optional<Span> stts = childPayload(*stbl, "stts"))
        readDurations(*stts, track);
    if (const std::optional<Span> stsz = childPayload(*stbl, "stsz"))
        readSizes(*stsz, track);
    const VRDReferenceChunk::Kind kind = isDataTrack ? VRDReferenceChunk::Kind::Data
        : track.handler == "vide"                    ? VRDReferenceChunk::Kind::Video
                                                     : VRDReferenceChunk::Kind::Audio;
    readChunks(*stbl, kind, track, chunks);
    return track;
}

} // namespace

std::optional<VRDReferenceRecording> VRDReferenceRecording::read(VRDByteSource &source, std::string &error)
{
    const VRDRecordingState state = VRDCutOffDetector::inspect(source);
    if (state.kind != VRDRecordingState::Kind::Healthy) {
        error = state.kind == VRDRecordingState::Kind::CutOff ? "it is cut off itself" : "it is not the camera's recording";
        return std::nullopt;
    }
    const Header movie = headerAt(source, state.mediaEnd, source.size());
    if (movie.box.size - movie.box.headerSize > kLargestMovie) {
        error = "its index is too large";
        return std::nullopt;
    }
    Bytes moov(static_cast<std::size_t>(movie.box.size - movie.box.headerSize));
    if (source.readAt(movie.box.payloadOffset(), moov.data(), moov.size()) != moov.size()) {
        error = "its index cannot be read";
        return std::nullopt;
    }

    VRDReferenceRecording reference;
    std::vector<ChunkAt> chunks;
    const std::vector<Box> movieChildren = children(moov);
    for (std::size_t i = 0; i < movieChildren.size(); ++i) {
        if (!movieChildren[i].is("trak"))
            continue;
        // The data track is moov's fifth child, whatever its handler says.
        const bool isDataTrack = i == 4;
        std::optional<VRDReferenceTrack> track = readTrack(payloadOf(moov, movieChildren[i]), chunks, isDataTrack);
        if (!track)
            continue;
        if (isDataTrack)
            reference.data = std::move(track);
        else if (track->handler == "vide" && !reference.video)
            reference.video = std::move(track);
        else if (track->handler == "soun" && !reference.audio)
            reference.audio = std::move(track);
    }
    if (!reference.video || reference.video->decoderConfig.empty() || reference.video->timescale == 0) {
        error = "it has no H.264 video track";
        return std::nullopt;
    }
    if (reference.audio && (reference.audio->decoderConfig.empty() || reference.audio->timescale == 0))
        reference.audio.reset();

    std::sort(chunks.begin(), chunks.end(), [](const ChunkAt &a, const ChunkAt &b) { return a.offset < b.offset; });
    for (std::size_t i = 0; i < chunks.size() && i < kPatternChunks; ++i)
        reference.pattern.push_back(chunks[i].chunk);
    return reference;
}
