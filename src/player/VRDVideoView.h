#pragma once

#include "player/VRDMediaEngine.h"

#include <QImage>
#include <QPointer>
#include <QWidget>

class MpvFrameRenderer;
class VRDVideoSurface;

// Shows one view's rectangle of an engine's frames, scaled to fit with its aspect
// kept; black without a frame. Frames drawn in software are painted here directly;
// frames in an OpenGL texture are drawn by an OpenGL surface filling the view.
class VRDVideoView : public QWidget
{
    Q_OBJECT

public:
    explicit VRDVideoView(QWidget *parent = nullptr);

    void setFrameSource(MpvFrameRenderer *source, VRDMediaEngine::View view);
    // What the view shows now, at its pixel size.
    QImage grabPicture();

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    QSize pixelSize() const;

    QPointer<MpvFrameRenderer> m_source;
    VRDMediaEngine::View m_view = VRDMediaEngine::View::Main;
    VRDVideoSurface *m_surface = nullptr;
};
