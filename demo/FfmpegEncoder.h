#pragma once

#include "demo/DemoPicturePainter.h"

#include <QString>

// Encodes painted pictures and a steady tone into an MP4 (H.264 video, AAC
// audio) with the system's ffmpeg. The pictures go to ffmpeg's standard
// input as raw RGB frames; ffmpeg runs with an argument vector, no shell.
// How hard the video is to decode. The default is a small, easy file; a real
// camera's picture has moving sensor noise and a high bit rate.
struct DemoVideoQuality {
    bool cameraNoise = false;
    // 0: a constant quality instead of a bit rate.
    int bitrateKbps = 0;
};

class FfmpegEncoder {
public:
    using Quality = DemoVideoQuality;

    // An empty text on success, else what went wrong.
    static QString encode(const DemoPicturePainter &painter, int frameCount, int framesPerSecond, int toneHz,
                          const QString &outputPath, const Quality &quality = {});

private:
    static QStringList qualityArguments(const Quality &quality);
};
