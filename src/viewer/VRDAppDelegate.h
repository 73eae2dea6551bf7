#pragma once

#include "media/VRDMediaList.h"
#include "media/VRDMediaListDelegate.h"
#include "viewer/CustomWindow.h"
#include "viewer/VRDDualPlaybackController.h"

#include <QObject>
#include <QPointer>
#include <QRect>
#include <functional>
#include <memory>

namespace Ui {
class VRDMainWindow;
}
class QDialog;
class QWebEngineView;
class TKMapPage;
class VRDCaptureDialogs;
class VRDConcurrentMediaWalkRunner;
class VRDDualPlaybackController;
class VRDLoadingController;
class VRDMainWindowPlaybackView;
class VRDMediaEngine;
class VRDMediaTableModel;
class VRDPlayInfo;
class VRDPlaylist;
class VRDScrollableVideoContainerView;
class VRDSensorDisplay;
class VRDStillCapture;
class VRDWindowLayout;

// Owns the main window and the objects that live as long as it: the play
// state, the recording library, the table model, the layout and the loading
// indicator. It wires them together and hands the work to them.
class VRDAppDelegate : public QObject, private VRDMediaListDelegate
{
    Q_OBJECT

public:
    static constexpr QSize minWindowSize = VRDDualPlaybackController::kMinWindowSize;
    static constexpr int kInitialVolume = VRDDualPlaybackController::kInitialVolume;

    // Makes the engine of both channels and puts its views, if it has them, into the
    // containers of the large and the small video.
    using EngineFactory = std::function<std::unique_ptr<VRDMediaEngine>(VRDScrollableVideoContainerView &main,
                                                                        VRDScrollableVideoContainerView &sub)>;
    // Makes a dialog window owned by `parent`.
    using DialogFactory = std::function<QDialog *(QWidget *parent)>;

    struct Options {
        // The map page needs a display with OpenGL; tests offscreen go without.
        bool loadMapPage = true;
        // libmpv engines with their video views when empty.
        EngineFactory makeEngine;
        // The desktop's dialogs when empty.
        std::shared_ptr<VRDCaptureDialogs> captureDialogs;
        // Engines made here play without sound (tests, benchmarks).
        bool silentAudio = false;
        // The settings window lives beside the viewer, not below it, so the
        // application hands in how to make it; without it the button does nothing.
        DialogFactory makeSettingsWindow;
    };

    explicit VRDAppDelegate(Options options, QObject *parent = nullptr);
    ~VRDAppDelegate() override;

    // The window's frame at launch: the minimum size centred in `available`.
    static QRect minWindowFrame(const QRect &available);

    void applicationDidFinishLaunching();

    CustomWindow &window() { return m_window; }
    Ui::VRDMainWindow &ui() { return *m_ui; }
    VRDPlayInfo &playInfo() { return *m_playInfo; }
    VRDMediaList &mediaList() { return m_mediaList; }
    VRDMediaTableModel &mediaTableModel() { return *m_mediaTableModel; }
    VRDWindowLayout &windowLayout() { return *m_windowLayout; }
    VRDLoadingController &loadingController() { return *m_loadingController; }
    VRDMediaEngine &engine() { return *m_engine; }
    // The views of the large and the small video; null where no picture can be shown.
    QWidget *video1View() const;
    QWidget *video2View() const;
    VRDDualPlaybackController &playback() { return *m_playback; }
    VRDSensorDisplay &sensorDisplay() { return *m_sensorDisplay; }
    VRDStillCapture &stillCapture() { return *m_stillCapture; }
    // Null without a map page.
    TKMapPage *mapPage() const { return m_mapPage; }

    qint64 mediaIndex() const;
    int volume() const;
    void setVolume(int volume);

public slots:
    void openMediaDirectoryDialog();
    // Opens the folder as the dialog does once a folder is chosen.
    void openMediaDirectory(const QString &path);
    void clickMediaListViewButton();
    void clickMapViewButton();
    // Opens the settings window, or brings it forward when it is open.
    void showSettingPanel();
    // Opens the clock setup window, or brings it forward when it is open.
    void showTimeSetupPanel();
    void closeWindow();
    // Stops playback before the engines and their views go.
    void applicationWillTerminate();

signals:
    // Both playback engines are to stop: a new folder was chosen.
    void stopPlayRequested();
    // A row of the recording table was double-clicked.
    void changeAndPlayRequested(int row);

private:
    void mediaListChanged(VRDMediaList &mediaList) override;

    void awakeFromNib();
    void applyImagesAndToolTips();
    void initMediaListTableView();
    void setupInitialValues();
    void bindPositionSliders();
    void observePlayInfo();
    void loadMapPage();
    void layoutWindow();
    void makeEngine();
    void connectPlaybackControls();
    // The window's content changed size: the shown video scale follows.
    void contentResized();
    bool eventFilter(QObject *watched, QEvent *event) override;

    Options m_options;
    CustomWindow m_window;
    std::unique_ptr<Ui::VRDMainWindow> m_ui;
    std::unique_ptr<VRDConcurrentMediaWalkRunner> m_walkRunner;
    VRDMediaList m_mediaList;
    VRDPlayInfo *m_playInfo = nullptr;
    VRDMediaTableModel *m_mediaTableModel = nullptr;
    std::unique_ptr<VRDWindowLayout> m_windowLayout;
    VRDLoadingController *m_loadingController = nullptr;
    QWebEngineView *m_mapWebView = nullptr;
    TKMapPage *m_mapPage = nullptr;
    // Declared after the window, so the engine and its users go before the views.
    std::unique_ptr<VRDMediaEngine> m_engine;
    VRDSensorDisplay *m_sensorDisplay = nullptr;
    std::unique_ptr<VRDPlaylist> m_playlist;
    std::unique_ptr<VRDMainWindowPlaybackView> m_playbackView;
    std::shared_ptr<VRDCaptureDialogs> m_captureDialogs;
    std::unique_ptr<VRDDualPlaybackController> m_playback;
    std::unique_ptr<VRDStillCapture> m_stillCapture;
    // The settings or clock window: one of them at a time, brought forward
    // when asked for again.
    enum class DialogKind { Settings, TimeSetup };
    void showDialog(DialogKind kind, const DialogFactory &make);

    // The last dialog window opened (settings or clock setup); it deletes itself on close.
    QPointer<QDialog> m_lastDialogController;
    DialogKind m_lastDialogKind = DialogKind::Settings;
};
