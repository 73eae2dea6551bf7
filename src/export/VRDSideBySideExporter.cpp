#include "export/VRDSideBySideExporter.h"

#include "export/VRDChannelAudioReader.h"
#include "export/VRDChannelFrameReader.h"
#include "export/VRDClipName.h"
#include "export/VRDH264Mp4Writer.h"
#include "export/VRDOverlayBlender.h"
#include "export/VRDOverlayPainter.h"
#include "export/VRDPipComposer.h"
#include "export/VRDSampleText.h"

extern "C" {
#include <libavformat/avformat.h>
}

#include <cmath>

namespace {

constexpr double kTimeSlack = 1e-4;

VRDOverlayFacts factsAt(const VRDClip &clip, const VRDClipSamples &samples, double chainTime)
{
    VRDOverlayFacts facts;
    facts.dateTime = VRDClipName::dateTimeText(clip.recordingStartLocal + static_cast<long long>(std::floor(chainTime + kTimeSlack)));
    const std::optional<std::size_t> sample = samples.sampleAt(chainTime);
    if (!sample)
        return facts;
    const VRDGpsData &fix = samples.fix(*sample);
    facts.speed = VRDSampleText::speed(fix);
    if (const auto where = VRDSampleText::position(fix))
        facts.position = VRDSampleText::degreesMinutesSeconds(*where);
    facts.gForce = std::round(VRDSampleText::gForce(samples.snapshot().GSensors[*sample]) * 100) / 100;
    return facts;
}

AVRational frameRateOf(const VRDClipChannel &channel)
{
    VRDAvInput input;
    if (channel.segments.empty() || !input.open(channel.segments.front().path))
        return {30, 1};
    const AVStream *stream = input.videoStream();
    return stream->avg_frame_rate.num > 0 ? stream->avg_frame_rate : AVRational{30, 1};
}

} // namespace

bool VRDSideBySideExporter::write(const VRDClip &clip, const VRDClipSamples &samples, const std::string &path,
                                  const Options &options, const VRDExportMonitor &monitor, std::string &error)
{
    const VRDClipChannel *main = clip.channel(true) != nullptr ? clip.channel(true) : clip.channel(false);
    if (main == nullptr) {
        error = "the clip holds no pictures";
        return false;
    }
    const VRDClipChannel *inset = main->front ? clip.channel(false) : nullptr;
    VRDChannelFrameReader mainReader(*main);
    VRDChannelFrameReader::Frame current = mainReader.next();
    if (!current.picture) {
        error = mainReader.error().empty() ? "no picture in the clip" : mainReader.error();
        return false;
    }
    const double start = current.chainTime;
    const double span = std::max(clip.to - start, kTimeSlack);
    const AVRational rate = frameRateOf(*main);

    const VRDClipChannel *heard = options.rearSound && inset != nullptr ? inset : main;
    VRDChannelAudioReader sound(*heard, start, clip.to + av_q2d(av_inv_q(rate)));
    if (!sound.open()) {
        error = sound.error();
        return false;
    }

    VRDH264Mp4Writer writer;
    VRDH264Mp4Writer::Setup setup;
    setup.width = current.picture->width & ~1;
    setup.height = current.picture->height & ~1;
    setup.frameRate = rate;
    setup.audio = sound.parameters();
    setup.audioTimeBase = sound.timeBase();
    setup.preset = options.preset;
    if (!writer.open(path, setup)) {
        error = writer.error();
        return false;
    }
    // The interleaver holds the sound (a few kilobytes a second) until the
    // pictures reach it.
    while (VRDAvPacketPtr packet = sound.next()) {
        if (!writer.writeAudio(*packet)) {
            error = writer.error();
            return false;
        }
    }
    if (!sound.error().empty()) {
        error = sound.error();
        return false;
    }

    std::optional<VRDChannelFrameReader> insetReader;
    VRDChannelFrameReader::Frame insetShown, insetNext;
    if (inset != nullptr) {
        insetReader.emplace(*inset);
        insetNext = insetReader->next();
    }
    int rearWidth = insetNext.picture ? insetNext.picture->width : 16;
    int rearHeight = insetNext.picture ? insetNext.picture->height : 9;
    const VRDPipLayout layout = VRDPipLayout::compute(setup.width, setup.height, rearWidth, rearHeight, options.corner);

    VRDAvFramePtr out(av_frame_alloc());
    out->width = setup.width;
    out->height = setup.height;
    out->format = AV_PIX_FMT_YUV420P;
    if (av_frame_get_buffer(out.get(), 0) < 0) {
        error = "out of memory";
        return false;
    }
    VRDPipComposer composer;
    VRDOverlayBlender blender;
    std::optional<VRDOverlayFacts> shownFacts;
    while (current.picture) {
        if (monitor.cancelled()) {
            error = "cancelled";
            return false;
        }
        while (insetNext.picture && insetNext.chainTime <= current.chainTime + kTimeSlack) {
            insetShown = std::move(insetNext);
            insetNext = insetReader->next();
        }
        if (insetReader && !insetReader->error().empty()) {
            error = insetReader->error();
            return false;
        }
        const VRDOverlayFacts facts = factsAt(clip, samples, current.chainTime);
        if (!shownFacts || facts != *shownFacts) {
            blender.prepare(VRDOverlayPainter::paint(facts, layout.overlay.width, layout.overlay.height));
            shownFacts = facts;
        }
        if (av_frame_make_writable(out.get()) < 0) {
            error = "out of memory";
            return false;
        }
        if (!composer.compose(*current.picture, insetShown.picture.get(), layout.rear, *out)) {
            error = composer.error();
            return false;
        }
        blender.blend(*out, layout.overlay.x, layout.overlay.y);
        if (!writer.writePicture(*out, current.chainTime - start)) {
            error = writer.error();
            return false;
        }
        monitor.report(std::clamp((current.chainTime - start) / span, 0.0, 1.0));
        current = mainReader.next();
    }
    if (!mainReader.error().empty()) {
        error = mainReader.error();
        return false;
    }
    if (!writer.finish()) {
        error = writer.error();
        return false;
    }
    monitor.report(1.0);
    return true;
}
