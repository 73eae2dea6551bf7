#pragma once

#include <QPoint>
#include <QRect>
#include <QWidget>

// The frameless main window: it draws its own look, moves when its background
// is dragged and has its own full-screen mode that returns to the launch frame.
class CustomWindow : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(bool isFullScreen READ isFullScreen NOTIFY isFullScreenChanged)

public:
    explicit CustomWindow(QWidget *parent = nullptr);

    // Also answers true while the full-screen frame is still being applied.
    bool isFullScreen() const { return m_isFullScreen; }

    void setInitialFrame(const QRect &frame) { m_initialFrame = frame; }
    QRect initialFrame() const { return m_initialFrame; }

    // Origin of a window of the given size dragged to `proposed`, kept from
    // rising above the top of `available`.
    static QPoint clampedDragOrigin(QPoint proposed, const QRect &available);

public slots:
    void enterFullscreen();
    void leaveFullscreen();
    void toggleFullScreen();

signals:
    void isFullScreenChanged(bool isFullScreen);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    static bool platformLetsApplicationsMoveWindows();

    QRect m_initialFrame;
    QPoint m_initialLocation;
    bool m_dragging = false;
    bool m_isFullScreen = false;
};
