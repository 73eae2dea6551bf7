#pragma once

#include <mpv/client.h>

// Owns one libmpv core. The render context made from it must be freed first
// (see MpvRenderContext).
class MpvHandle
{
public:
    MpvHandle();
    ~MpvHandle();
    MpvHandle(const MpvHandle &) = delete;
    MpvHandle &operator=(const MpvHandle &) = delete;

    // Null when the core could not be created.
    mpv_handle *get() const { return m_handle; }

private:
    mpv_handle *m_handle = nullptr;
};
