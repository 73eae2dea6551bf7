#pragma once

#include "player/VRDMediaEngine.h"

#include <QOpenGLWidget>
#include <QPointer>

#include <memory>

class MpvFrameRenderer;
class QOpenGLTextureBlitter;

// Draws one view's rectangle of an engine's OpenGL texture, scaled to fit with its
// aspect kept; black without a frame.
class VRDVideoSurface : public QOpenGLWidget
{
    Q_OBJECT

public:
    VRDVideoSurface(MpvFrameRenderer *source, VRDMediaEngine::View view, QWidget *parent);
    ~VRDVideoSurface() override;

protected:
    void initializeGL() override;
    void resizeGL(int width, int height) override;
    void paintGL() override;

private:
    QSize pixelSize() const;
    void releaseBlitter();

    QPointer<MpvFrameRenderer> m_source;
    VRDMediaEngine::View m_view;
    std::unique_ptr<QOpenGLTextureBlitter> m_blitter;
};
