#pragma once

#include "export/VRDAvPointers.h"
#include "export/VRDPipLayout.h"

#include <string>

struct SwsContext;

// Builds one picture of the side-by-side video: the front picture at its
// own size as 4:2:0, the rear picture scaled into its corner with a thin
// white frame.
class VRDPipComposer {
public:
    VRDPipComposer() = default;
    ~VRDPipComposer();
    VRDPipComposer(const VRDPipComposer &) = delete;
    VRDPipComposer &operator=(const VRDPipComposer &) = delete;

    // rear may be null (no twin, or not started yet); false on a fault.
    bool compose(const AVFrame &front, const AVFrame *rear, const VRDPipLayout::Rect &rearRect, AVFrame &out);
    const std::string &error() const { return m_error; }

private:
    void frameRect(AVFrame &out, const VRDPipLayout::Rect &rect) const;

    SwsContext *m_front = nullptr;
    SwsContext *m_rear = nullptr;
    std::string m_error;
};
