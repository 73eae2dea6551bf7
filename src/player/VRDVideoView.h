#pragma once

#include "player/VRDMediaEngine.h"

#include <QOpenGLWidget>
#include <QPointer>

#include <memory>

class MpvFrameRenderer;
class QOpenGLTextureBlitter;

// Shows one view's rectangle of an engine's frames, scaled to fit with its aspect
// kept; black without a frame.
class VRDVideoView : public QOpenGLWidget
{
    Q_OBJECT

public:
    explicit VRDVideoView(QWidget *parent = nullptr);
    ~VRDVideoView() override;

    void setFrameSource(MpvFrameRenderer *source, VRDMediaEngine::View view);

protected:
    void initializeGL() override;
    void resizeGL(int width, int height) override;
    void paintGL() override;

private:
    QSize pixelSize() const;
    void releaseBlitter();

    QPointer<MpvFrameRenderer> m_source;
    VRDMediaEngine::View m_view = VRDMediaEngine::View::Main;
    std::unique_ptr<QOpenGLTextureBlitter> m_blitter;
};
