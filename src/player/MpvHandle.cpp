#include "player/MpvHandle.h"

MpvHandle::MpvHandle()
    : m_handle(mpv_create())
{
}

MpvHandle::~MpvHandle()
{
    if (m_handle != nullptr)
        mpv_terminate_destroy(m_handle);
}
