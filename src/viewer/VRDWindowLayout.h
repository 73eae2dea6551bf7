#pragma once

namespace Ui {
class VRDMainWindow;
}

// Switches the main window between its windowed and full-screen forms and
// the right-hand panel between the recording list, the map and the drives. The boxes and
// their sizes live in the window's .ui; this class only changes what differs.
class VRDWindowLayout
{
public:
    enum RightViewMode { MediaList = 0, Map = 1, Trips = 2 };

    explicit VRDWindowLayout(Ui::VRDMainWindow &ui);

    void layoutWindow(bool fullScreen);
    bool isFullScreen() const { return m_fullScreen; }

    // Answers whether the mode changed.
    bool setRightViewMode(int mode);
    int rightViewMode() const { return m_rightViewMode; }
    void updateSideViewButton();

private:
    void layoutBodyBox();
    void layoutMapContainer();

    Ui::VRDMainWindow &m_ui;
    bool m_fullScreen = false;
    int m_rightViewMode = MediaList;
};
