#pragma once

#include <atomic>
#include <functional>

// How a running export reports and is stopped: progress from 0 to 1 on
// the export's own thread, and a flag any thread may set to cancel.
struct VRDExportMonitor {
    std::function<void(double fraction)> progress;
    const std::atomic<bool> *cancel = nullptr;

    bool cancelled() const { return cancel != nullptr && cancel->load(); }
    void report(double fraction) const
    {
        if (progress)
            progress(fraction);
    }
};
