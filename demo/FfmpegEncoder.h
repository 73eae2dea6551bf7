#pragma once

#include "demo/DemoPicturePainter.h"

#include <QString>

// Encodes painted pictures and a steady tone into an MP4 (H.264 video, AAC
// audio) with the system's ffmpeg. The pictures go to ffmpeg's standard
// input as raw RGB frames; ffmpeg runs with an argument vector, no shell.
class FfmpegEncoder {
public:
    // An empty text on success, else what went wrong.
    static QString encode(const DemoPicturePainter &painter, int frameCount, int framesPerSecond, int toneHz,
                          const QString &outputPath);
};
