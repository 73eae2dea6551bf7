#pragma once

#include <QOpenGLWidget>
#include <QString>

#include <memory>

struct mpv_handle;
class MpvRenderContext;

// Shows the video of one libmpv core. The view owns the core's render context: it is
// made once the view has an OpenGL context and freed with that context current, when
// the view goes, when its OpenGL context goes (re-parenting to another window), or when
// the engine detaches before it destroys the core.
class VRDVideoView : public QOpenGLWidget
{
    Q_OBJECT

public:
    explicit VRDVideoView(QWidget *parent = nullptr);
    ~VRDVideoView() override;

    void attachMpv(mpv_handle *handle);
    void detachMpv();
    bool hasRenderContext() const { return m_renderContext != nullptr; }

signals:
    void renderContextReady();
    void renderContextLost();
    void renderContextFailed(const QString &message);

protected:
    void initializeGL() override;
    void paintGL() override;

private:
    void createRenderContext();
    void releaseRenderContext();
    void reportSwap();

    mpv_handle *m_mpv = nullptr;
    std::unique_ptr<MpvRenderContext> m_renderContext;
};
