#pragma once

#include "app/CustomWindow.h"
#include "media/VRDMediaList.h"
#include "media/VRDMediaListDelegate.h"

#include <QObject>
#include <QRect>
#include <memory>

namespace Ui {
class VRDMainWindow;
}
class QWebEngineView;
class VRDConcurrentMediaWalkRunner;
class VRDLoadingController;
class VRDMediaTableModel;
class VRDPlayInfo;
class VRDWindowLayout;

// Owns the main window and the objects that live as long as it: the play
// state, the recording library, the table model, the layout and the loading
// indicator. It wires them together and hands the work to them.
class VRDAppDelegate : public QObject, private VRDMediaListDelegate
{
    Q_OBJECT
    Q_PROPERTY(int volume READ volume WRITE setVolume NOTIFY volumeChanged)

public:
    static constexpr QSize kMinWindowSize{1020, 640};
    static constexpr int kInitialVolume = 70;

    struct Options {
        // The map page needs a display with OpenGL; tests offscreen go without.
        bool loadMapPage = true;
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

    qint64 mediaIndex() const { return m_mediaIndex; }
    int volume() const { return m_volume; }
    void setVolume(int volume);

public slots:
    void openMediaDirectoryDialog();
    // Opens the folder as the dialog does once a folder is chosen.
    void openMediaDirectory(const QString &path);
    void clickMediaListViewButton();
    void clickMapViewButton();
    void closeWindow();

signals:
    void volumeChanged(int volume);
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
    qint64 m_mediaIndex = -1;
    int m_volume = 0;
};
