#pragma once

#include "export/VRDClip.h"

#include <QImage>

#include <string>

// The picture a channel shows at an instant, at the camera's full
// resolution, decoded with libavcodec.
class VRDStillDecoder {
public:
    // A null image, with `error` set, when the instant lies outside the
    // channel or its recording cannot be decoded.
    static QImage pictureAt(const VRDClipChannel &channel, double chainTime, std::string &error);
};
