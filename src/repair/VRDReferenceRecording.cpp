#include "repair/VRDReferenceRecording.h"

#include "io/TKBigEndian.h"
#include "mp4/Mp4BoxChildren.h"
#include "mp4/Mp4BoxReader.h"
#include "repair/VRDCutOffDetector.h"

#include <algorithm>
#include <map>
#include <span>

namespace {

using Bytes = std::vector<std::uint8_t>;
using Span = std::span<const std::uint8_t>;

// No table of a camera recording comes near this; a larger size is damage.
constexpr std::uint64_t kLargestTable = 64u << 20;
constexpr std::size_t kPatternChunks = 256;
constexpr std::uint64_t kVisualEntryFields = 78;
constexpr std::uint64_t kAudioEntryFields = 28;
constexpr std::size_t kTableHeader = 8; // version, flags, entry count

struct ChunkAt {
    std::uint64_t offset;
    VRDReferenceChunk chunk;
};

std::uint32_t read32(Span bytes, std::size_t at)
{
    return at + 4 <= bytes.size() ? TKBigEndian::read32(bytes.data() + at) : 0;
}

std::uint16_t read16(Span bytes, std::size_t at)
{
    return at + 2 <= bytes.size() ? static_cast<std::uint16_t>(bytes[at] << 8 | bytes[at + 1]) : 0;
}

// The payload of the child of that type; nothing when it is missing or damaged.
std::optional<Bytes> childPayload(Mp4BoxReader &reader, const Mp4Box &parent, std::string_view type)
{
    const TKResult<Mp4Box> box = reader.child(parent, type);
    if (!box)
        return std::nullopt;
    TKResult<Bytes> payload = reader.payload(*box, kLargestTable);
    if (!payload)
        return std::nullopt;
    return std::move(payload.value());
}

std::optional<Mp4Box> path(Mp4BoxReader &reader, const Mp4Box &root, std::initializer_list<std::string_view> types)
{
    Mp4Box at = root;
    for (std::string_view type : types) {
        const TKResult<Mp4Box> next = reader.child(at, type);
        if (!next)
            return std::nullopt;
        at = *next;
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

// The first sample entry's codec configuration: avcC for H.264, the
// AudioSpecificConfig inside esds for AAC.
Bytes decoderConfig(Mp4BoxReader &reader, const Mp4Box &stsd, const std::string &handler)
{
    Mp4BoxChildren entries(reader, stsd, kTableHeader);
    Mp4Box entry;
    if (!entries.next(entry))
        return {};
    const bool video = handler == "vide";
    if (!video && handler != "soun")
        return {};
    Mp4BoxChildren properties(reader, entry, video ? kVisualEntryFields : kAudioEntryFields);
    for (Mp4Box property; properties.next(property);) {
        if (!property.is(video ? "avcC" : "esds"))
            continue;
        TKResult<Bytes> payload = reader.payload(property, kLargestTable);
        if (!payload)
            return {};
        return video ? std::move(payload.value()) : audioSpecificConfig(*payload);
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
void readChunks(Mp4BoxReader &reader, const Mp4Box &stbl, VRDReferenceChunk::Kind kind, VRDReferenceTrack &track,
                std::vector<ChunkAt> &chunks)
{
    const std::optional<Bytes> stsc = childPayload(reader, stbl, "stsc");
    std::optional<Bytes> offsets = childPayload(reader, stbl, "stco");
    const bool wide = !offsets;
    if (wide)
        offsets = childPayload(reader, stbl, "co64");
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
        const std::size_t at = kTableHeader + (wide ? 8 : 4) * std::size_t{chunk};
        const std::uint64_t offset = wide ? std::uint64_t{read32(*offsets, at)} << 32 | read32(*offsets, at + 4)
                                          : read32(*offsets, at);
        chunks.push_back({offset, {kind, samples}});
    }
}

std::optional<VRDReferenceTrack> readTrack(VRDByteSource &source, Mp4BoxReader &reader, const Mp4Box &trak, std::vector<ChunkAt> &chunks,
                                           bool isDataTrack)
{
    const TKResult<Mp4Box> mdia = reader.child(trak, "mdia");
    if (!mdia)
        return std::nullopt;
    const std::optional<Bytes> hdlr = childPayload(reader, *mdia, "hdlr");
    const std::optional<Bytes> mdhd = childPayload(reader, *mdia, "mdhd");
    const std::optional<Mp4Box> stbl = path(reader, *mdia, {"minf", "stbl"});
    if (!hdlr || !mdhd || !stbl || hdlr->size() < 12 || mdhd->empty())
        return std::nullopt;
    VRDReferenceTrack track;
    track.handler.assign(reinterpret_cast<const char *>(hdlr->data() + 8), 4);
    track.timescale = read32(*mdhd, (*mdhd)[0] == 1 ? 20 : 12);
    // The whole stsd box is copied into the recovered file as it is.
    if (const TKResult<Mp4Box> stsd = reader.child(*stbl, "stsd"); stsd && stsd->size <= kLargestTable) {
        track.sampleDescription.resize(static_cast<std::size_t>(stsd->size));
        if (source.readAt(stsd->offset, track.sampleDescription.data(), track.sampleDescription.size())
            == track.sampleDescription.size())
            track.decoderConfig = decoderConfig(reader, *stsd, track.handler);
        else
            track.sampleDescription.clear();
    }
    if (const std::optional<Bytes> tkhd = childPayload(reader, trak, "tkhd"); tkhd && tkhd->size() >= 8) {
        track.width = read16(*tkhd, tkhd->size() - 8);
        track.height = read16(*tkhd, tkhd->size() - 4);
    }
    if (const std::optional<Bytes> stts = childPayload(reader, *stbl, "stts"))
        readDurations(*stts, track);
    if (const std::optional<Bytes> stsz = childPayload(reader, *stbl, "stsz"))
        readSizes(*stsz, track);
    const VRDReferenceChunk::Kind kind = isDataTrack ? VRDReferenceChunk::Kind::Data
        : track.handler == "vide"                    ? VRDReferenceChunk::Kind::Video
                                                     : VRDReferenceChunk::Kind::Audio;
    readChunks(reader, *stbl, kind, track, chunks);
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
    Mp4BoxReader reader(source);
    const TKResult<Mp4Box> movie = reader.boxAt(reader.file(), state.mediaEnd);
    if (!movie) {
        error = "its index cannot be read: " + movie.error();
        return std::nullopt;
    }

    VRDReferenceRecording reference;
    std::vector<ChunkAt> chunks;
    Mp4BoxChildren children(reader, *movie);
    std::size_t index = 0;
    for (Mp4Box box; children.next(box); ++index) {
        if (!box.is("trak"))
            continue;
        // The data track is moov's fifth child, whatever its handler says.
        const bool isDataTrack = index == 4;
        std::optional<VRDReferenceTrack> track = readTrack(source, reader, box, chunks, isDataTrack);
        if (!track)
            continue;
        if (isDataTrack)
            reference.data = std::move(track);
        else if (track->handler == "vide" && !reference.video)
            reference.video = std::move(track);
        else if (track->handler == "soun" && !reference.audio)
            reference.audio = std::move(track);
    }
    if (!reference.video || reference.video->decoderConfig.empty() || reference.video->timescale == 0
        || reference.video->sampleDescription.empty()) {
        error = "it has no H.264 video track";
        return std::nullopt;
    }
    if (reference.audio
        && (reference.audio->decoderConfig.empty() || reference.audio->timescale == 0 || reference.audio->sampleDescription.empty()))
        reference.audio.reset();

    std::sort(chunks.begin(), chunks.end(), [](const ChunkAt &a, const ChunkAt &b) { return a.offset < b.offset; });
    for (std::size_t i = 0; i < chunks.size() && i < kPatternChunks; ++i)
        reference.pattern.push_back(chunks[i].chunk);
    return reference;
}
