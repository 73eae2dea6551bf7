#include "player/MpvRenderContext.h"

#include <mpv/render_gl.h>

#include <QByteArray>
#include <QOpenGLContext>

namespace {

void *procAddress(void *, const char *name)
{
    QOpenGLContext *context = QOpenGLContext::currentContext();
    if (context == nullptr)
        return nullptr;
    return reinterpret_cast<void *>(context->getProcAddress(QByteArray(name)));
}

} // namespace

MpvRenderContext::MpvRenderContext(mpv_render_context *context)
    : m_context(context)
{
}

MpvRenderContext::~MpvRenderContext()
{
    // Teardown order matters: the update callback must be gone before the context it
    // reports on, the context must be freed while its OpenGL context is current (it
    // deletes GL objects), and both must happen before the core is destroyed
    // (mpv_terminate_destroy), which libmpv leaves undefined otherwise.
    mpv_render_context_set_update_callback(m_context, nullptr, nullptr);
    mpv_render_context_free(m_context);
}

std::unique_ptr<MpvRenderContext> MpvRenderContext::create(mpv_handle *handle, void *x11Display,
                                                           UpdateCallback onUpdate,
                                                           void *callbackData, QString *errorText)
{
    mpv_opengl_init_params glInit{&procAddress, nullptr};
    char apiType[] = MPV_RENDER_API_TYPE_OPENGL;
    mpv_render_param params[] = {
        {MPV_RENDER_PARAM_API_TYPE, apiType},
        {MPV_RENDER_PARAM_OPENGL_INIT_PARAMS, &glInit},
        {x11Display != nullptr ? MPV_RENDER_PARAM_X11_DISPLAY : MPV_RENDER_PARAM_INVALID,
         x11Display},
        {MPV_RENDER_PARAM_INVALID, nullptr},
    };
    return fromParams(handle, params, onUpdate, callbackData, errorText);
}

std::unique_ptr<MpvRenderContext> MpvRenderContext::createSoftware(mpv_handle *handle, UpdateCallback onUpdate,
                                                                   void *callbackData, QString *errorText)
{
    char apiType[] = MPV_RENDER_API_TYPE_SW;
    mpv_render_param params[] = {
        {MPV_RENDER_PARAM_API_TYPE, apiType},
        {MPV_RENDER_PARAM_INVALID, nullptr},
    };
    return fromParams(handle, params, onUpdate, callbackData, errorText);
}

std::unique_ptr<MpvRenderContext> MpvRenderContext::fromParams(mpv_handle *handle, mpv_render_param *params,
                                                           UpdateCallback onUpdate, void *callbackData,
                                                           QString *errorText)
{
    mpv_render_context *context = nullptr;
    const int result = mpv_render_context_create(&context, handle, params);
    if (result < 0) {
        *errorText = QString::fromUtf8(mpv_error_string(result));
        return nullptr;
    }
    mpv_render_context_set_update_callback(context, onUpdate, callbackData);
    return std::unique_ptr<MpvRenderContext>(new MpvRenderContext(context));
}
