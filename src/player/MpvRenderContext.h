#pragma once

#include <mpv/render.h>

#include <QString>

#include <memory>

// Owns one libmpv render context, drawing through OpenGL or in software. Create and
// destroy an OpenGL one with its OpenGL context current.
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
    static std::unique_ptr<MpvRenderContext> createSoftware(mpv_handle *handle, UpdateCallback onUpdate,
                                                            void *callbackData, QString *errorText);

    mpv_render_context *get() const { return m_context; }

private:
    explicit MpvRenderContext(mpv_render_context *context);
    static std::unique_ptr<MpvRenderContext> fromParams(mpv_handle *handle, mpv_render_param *params,
                                                    UpdateCallback onUpdate, void *callbackData,
                                                    QString *errorText);

    mpv_render_context *m_context;
};
