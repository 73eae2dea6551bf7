#pragma once

#include <QOpenGLWidget>
#include <QPointer>

#include <memory>

class MpvFrameRenderer;
class QOpenGLTextureBlitter;

// Shows the frames of one engine, scaled to the view; black without a frame.
class VRDVideoView : public QOpenGLWidget
{
    Q_OBJECT

public:
    explicit VRDVideoView(QWidget *parent = nullptr);
    ~VRDVideoView() override;

    void setFrameSource(MpvFrameRenderer *source);

protected:
    void initializeGL() override;
    void resizeGL(int width, int height) override;
    void paintGL() override;

private:
    QSize pixelSize() const;
    void releaseBlitter();

    QPointer<MpvFrameRenderer> m_source;
    std::unique_ptr<QOpenGLTextureBlitter> m_blitter;
};
