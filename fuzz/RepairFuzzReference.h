#pragma once

// The reference recording the recovery fuzz target scans with: the H.264
// set-up of a 128x72 baseline stream, mono 48 kHz AAC-LC and a data track.
#include "repair/VRDReferenceRecording.h"

inline VRDReferenceRecording repairFuzzReference()
{
    VRDReferenceRecording reference;
    VRDReferenceTrack video;
    video.handler = "vide";
    video.timescale = 10240;
    video.width = 128;
    video.height = 72;
    video.typicalDuration = 1024;
    video.largestSample = 4096;
    video.decoderConfig = {0x01, 0x42, 0xc0, 0x0a, 0xff, 0xe1, 0x00, 0x17, 0x67, 0x42, 0xc0, 0x0a, 0xda, 0x08, 0x2f,
                           0xe5, 0x84, 0x00, 0x00, 0x03, 0x00, 0x04, 0x00, 0x00, 0x03, 0x00, 0x50, 0x3c, 0x48, 0x9a,
                           0x80, 0x01, 0x00, 0x04, 0x68, 0xce, 0x0f, 0xc8};
    reference.video = video;
    VRDReferenceTrack audio;
    audio.handler = "soun";
    audio.timescale = 48000;
    audio.typicalDuration = 1024;
    audio.largestChunk = 5;
    audio.decoderConfig = {0x11, 0x88};
    reference.audio = audio;
    VRDReferenceTrack data;
    data.handler = "data";
    data.timescale = 1000;
    data.typicalDuration = 100;
    reference.data = data;
    return reference;
}
