#pragma once

#include <mpv/render_gl.h>

#include <QString>

#include <memory>

// Owns one libmpv OpenGL render context. Create and destroy it with its OpenGL
// context current.
class MpvRenderContext
{
public:
    using UpdateCallback = void (*)(void *);

    ~MpvRenderContext();
    MpvRenderContext(const MpvRenderContext &) = delete;
    MpvRenderContext &operator=(const MpvRenderContext &) = delete;

    // Answers the context, or null with the reason in errorText.
    static std::unique_ptr<MpvRenderContext> create(mpv_handle *handle, void *x11Display,
                                                    UpdateCallback onUpdate, void *callbackData,
                                                    QString *errorText);

    mpv_render_context *get() const { return m_context; }

private:
    explicit MpvRenderContext(mpv_render_context *context);

    mpv_render_context *m_context;
};
