#pragma once

#include <QWidget>

// The container of one channel's video view: the view fills it and follows
// its size. The playback engine puts its view here; until then the background
// image behind the video shows.
class VRDScrollableVideoContainerView : public QWidget
{
    Q_OBJECT

public:
    explicit VRDScrollableVideoContainerView(QWidget *parent = nullptr);

    // Puts `view` into the container, filling it. The previous view, if any,
    // is taken out and handed back to the caller, who then owns it.
    QWidget *setVideoView(QWidget *view);
    QWidget *videoView() const { return m_videoView; }

private:
    QWidget *m_videoView = nullptr;
};
