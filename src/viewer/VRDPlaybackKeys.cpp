#include "viewer/VRDPlaybackKeys.h"

#include "ui_VRDMainWindow.h"
#include "viewer/CustomWindow.h"
#include "viewer/VRDDualPlaybackController.h"

#include <QShortcut>
#include <functional>

namespace {

void addKey(CustomWindow &window, Qt::Key key, std::function<void()> action, const QList<QWidget *> &buttons)
{
    const QKeySequence sequence(key);
    auto *shortcut = new QShortcut(sequence, &window);
    QObject::connect(shortcut, &QShortcut::activated, &window, std::move(action));
    const QString keyName = sequence.toString(QKeySequence::NativeText);
    for (QWidget *button : buttons)
        button->setToolTip(QStringLiteral("%1 (%2)").arg(button->toolTip(), keyName));
}

} // namespace

VRDPlaybackKeys::VRDPlaybackKeys(CustomWindow &window, Ui::VRDMainWindow &ui,
                                 VRDDualPlaybackController &playback, QObject *parent)
    : QObject(parent)
{
    VRDDualPlaybackController *controller = &playback;
    CustomWindow *target = &window;
    addKey(window, Qt::Key_Space, [controller] { controller->clickPlayButton(); },
           {ui.playButton, ui.playButtonForFullScreen});
    addKey(window, Qt::Key_Left, [controller] { controller->jumpBackward(); },
           {ui.jumpBackwardButton, ui.jumpBackwardButtonForFullScreen});
    addKey(window, Qt::Key_Right, [controller] { controller->jumpForward(); },
           {ui.jumpForwardButton, ui.jumpForwardButtonForFullScreen});
    addKey(window, Qt::Key_Period, [controller] { controller->stepForward(); }, {ui.stepForwardButton});
    addKey(window, Qt::Key_Comma, [controller] { controller->stepBackward(); }, {ui.stepBackwardButton});
    addKey(window, Qt::Key_Up, [controller] { controller->volumeUp(); }, {ui.volumeUpButton});
    addKey(window, Qt::Key_Down, [controller] { controller->volumeDown(); }, {ui.volumeDownButton});
    addKey(window, Qt::Key_F, [target] { target->toggleFullScreen(); }, {ui.fullScreenButton});
    addKey(window, Qt::Key_S, [controller] { controller->swapPlayer(); }, {ui.swapButton});
    addKey(window, Qt::Key_Escape, [target] {
        if (target->isFullScreen())
            target->leaveFullscreen();
    }, {ui.leaveFullScreenButton});
}
