#pragma once

#include "media/VRDMediaList.h"
#include "media/VRDMediaListDelegate.h"
#include "viewer/CustomWindow.h"
#include "viewer/VRDDualPlaybackController.h"

#include <QFileSystemWatcher>
#include <QObject>
#include <QPointer>
#include <QRect>
#include <QSettings>
#include <functional>
#include <memory>

namespace Ui {
class VRDMainWindow;
}
class QDialog;
class QWebEngineView;
class TKDiskService;
class TKMapPage;
class VRDCardBar;
class VRDCardWatcher;
class VRDPreferencesDialog;
class VRDCaptureDialogs;
class VRDClipExportController;
class VRDConcurrentMediaWalkRunner;
class VRDDualPlaybackController;
class VRDGraphSwitch;
class VRDLoadingController;
class VRDMainWindowPlaybackView;
class VRDMediaEngine;
class VRDMediaTableModel;
class VRDPlayInfo;
class VRDRecoveryController;
class VRDPlaylist;
class VRDScrollableVideoContainerView;
class VRDSensorDisplay;
class VRDStillCapture;
class VRDTripsController;
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
        // Tells of inserted and pulled cards; none when empty.
        std::shared_ptr<TKDiskService> diskService;
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
    VRDTripsController &tripsController() { return *m_tripsController; }
    VRDGraphSwitch &graphSwitch() { return *m_graphSwitch; }
    VRDClipExportController &clipExport() { return *m_clipExport; }
    // Null without a map page.
    TKMapPage *mapPage() const { return m_mapPage; }
    VRDCardBar &cardBar() { return *m_cardBar; }
    // The open folder went away (card pulled) and the list says so.
    bool isCardGone() const { return m_cardGone; }
    // Null unless the preferences are open.
    VRDPreferencesDialog *preferencesDialog() const;

    qint64 mediaIndex() const;
    int volume() const;
    void setVolume(int volume);

public slots:
    void openMediaDirectoryDialog();
    // Opens the folder as the dialog does once a folder is chosen.
    void openMediaDirectory(const QString &path);
    // Opens the folder of the last run if it still exists; false when there is none.
    bool openRememberedFolder();
    // Opens the preferences (map tiles) beside the window, or brings them forward.
    void showPreferences();
    void clickMediaListViewButton();
    void clickMapViewButton();
    void clickTripsViewButton();
    // Plays the recording at `path` (a path of the library) from that many
    // seconds after its first sample.
    void playMoment(const QString &path, double offsetSeconds);
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
    // The library of the folder was read (again) and the table shows it.
    void mediaListReloaded();

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
    // The drives panel's play head and chosen drive follow what plays.
    void followPlaybackInTrips();
    // The window's content changed size: the shown video scale follows.
    void contentResized();
    void watchCards();
    // A card is mounted while the viewer runs: offered in the bar, never opened unasked.
    void cardMounted(const QString &mountPath, const QString &label);
    void volumeUnmounted(const QString &mountPath);
    void folderChanged(const QString &path);
    // The open folder is gone: playback stops and the list says so.
    void openFolderVanished();
    void updateCardGoneLabel();
    void rememberWindowSize();
    bool eventFilter(QObject *watched, QEvent *event) override;

    Options m_options;
    QSettings m_settings;
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
    VRDTripsController *m_tripsController = nullptr;
    VRDGraphSwitch *m_graphSwitch = nullptr;
    // The playing moment's recording of the channel the drives are read from.
    QString m_playingChannel;
    // Seeks the recording asked for by playMoment once it plays.
    QMetaObject::Connection m_pendingMoment;
    VRDRecoveryController *m_recovery = nullptr;
    VRDClipExportController *m_clipExport = nullptr;
    // The settings or clock window: one of them at a time, brought forward
    // when asked for again.
    enum class DialogKind { Settings, TimeSetup };
    void showDialog(DialogKind kind, const DialogFactory &make);

    VRDCardBar *m_cardBar = nullptr;
    VRDCardWatcher *m_cardWatcher = nullptr;
    QFileSystemWatcher m_folderWatch;
    bool m_cardGone = false;
    QPointer<VRDPreferencesDialog> m_preferencesDialog;
    // The last dialog window opened (settings or clock setup); it deletes itself on close.
    QPointer<QDialog> m_lastDialogController;
    DialogKind m_lastDialogKind = DialogKind::Settings;
};
