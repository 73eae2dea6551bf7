#include "viewer/CustomWindow.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScreen>
#include <QWindow>

CustomWindow::CustomWindow(QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint)
{
    setFocusPolicy(Qt::StrongFocus);
}

QPoint CustomWindow::clampedDragOrigin(QPoint proposed, const QRect &available)
{
    if (proposed.y() < available.top())
        proposed.setY(available.top());
    return proposed;
}

bool CustomWindow::platformLetsApplicationsMoveWindows()
{
    // Wayland compositors ignore moves made by the application.
    return !QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

void CustomWindow::enterFullscreen()
{
    if (m_isFullScreen)
        return;
    m_isFullScreen = true;
    if (m_initialFrame.width() == 0 || m_initialFrame.height() == 0)
        m_initialFrame = geometry();
    // The window manager hides panels and docks for a full-screen window.
    if (const QScreen *current = screen())
        setGeometry(current->geometry());
    setWindowState(windowState() | Qt::WindowFullScreen);
    emit isFullScreenChanged(true);
}

void CustomWindow::leaveFullscreen()
{
    if (!m_isFullScreen)
        return;
    m_isFullScreen = false;
    setWindowState(windowState() & ~Qt::WindowFullScreen);
    setGeometry(m_initialFrame);
    emit isFullScreenChanged(false);
}

void CustomWindow::toggleFullScreen()
{
    if (m_isFullScreen)
        leaveFullscreen();
    else
        enterFullscreen();
}

void CustomWindow::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape && m_isFullScreen) {
        leaveFullscreen();
        return;
    }
    QWidget::keyPressEvent(event);
}

void CustomWindow::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton || m_isFullScreen) {
        QWidget::mousePressEvent(event);
        return;
    }
    m_initialLocation = event->position().toPoint();
    if (platformLetsApplicationsMoveWindows()) {
        m_dragging = true;
    } else if (QWindow *handle = windowHandle()) {
        handle->startSystemMove();
    }
}

void CustomWindow::mouseMoveEvent(QMouseEvent *event)
{
    if (!m_dragging) {
        QWidget::mouseMoveEvent(event);
        return;
    }
    const QPoint proposed = pos() + (event->position().toPoint() - m_initialLocation);
    const QScreen *primary = QGuiApplication::primaryScreen();
    move(primary != nullptr ? clampedDragOrigin(proposed, primary->availableGeometry()) : proposed);
}

void CustomWindow::mouseReleaseEvent(QMouseEvent *event)
{
    m_dragging = false;
    QWidget::mouseReleaseEvent(event);
}
