#pragma once

#include <QObject>

namespace Ui {
class VRDMainWindow;
}
class CustomWindow;
class VRDDualPlaybackController;

// The player's keys: Space play/pause, Left/Right jump 10 s, Period/Comma one
// frame forward/back while paused, Up/Down volume,
// F full screen, S swap, Escape leaves full screen. Each key is named in the
// tooltip of the button that does the same.
class VRDPlaybackKeys : public QObject
{
    Q_OBJECT

public:
    VRDPlaybackKeys(CustomWindow &window, Ui::VRDMainWindow &ui, VRDDualPlaybackController &playback,
                    QObject *parent = nullptr);
};
