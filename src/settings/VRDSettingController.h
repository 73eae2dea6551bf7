#pragma once

#include "config/FILEDATA.h"
#include "disk/TKCardLocator.h"
#include "disk/TKUSBDiskEntity.h"
#include "settings/VRDConfigDocument.h"

#include <QDialog>
#include <QFutureWatcher>
#include <QPointer>
#include <QString>

#include <functional>
#include <memory>
#include <optional>

namespace Ui {
class VRDSettingController;
class VRDSettingLoadingPanel;
}
class TKDiskService;
class VRDSettingControllerDelegate;
class VRDSettingTabFactory;

// The settings window: finds the camera's card (through TKCardLocator), loads
// its config.bin into the one record it owns (in a VRDConfigDocument), shows
// one tab at a time (each tab works on the document) and writes the record
// back on Save. It also hosts the loading sheet that tabs and data viewers
// use while they read files.
class VRDSettingController : public QDialog
{
    Q_OBJECT

public:
    // Asks the user for a file to save to, proposing proposedPath; an
    // empty answer means cancelled.
    using SavePathChooser = std::function<QString(QWidget *window, const QString &proposedPath)>;

    struct Environment {
        // The system's disk service; UDisks2 when empty.
        std::shared_ptr<TKDiskService> diskService;
        // The tabs; the application's own when empty.
        std::shared_ptr<const VRDSettingTabFactory> tabFactory;
        // The "Save Settings" dialog when empty.
        SavePathChooser chooseSavePath;
        // A config.bin to edit instead of the card's (for a file copied off
        // the card, or a card the disk service does not report).
        QString settingFilePath;
    };

    static constexpr double kLoadingTickSeconds = 0.5;
    static constexpr double kLoadingLimitSeconds = 15.0;

    explicit VRDSettingController(QWidget *parent = nullptr);
    VRDSettingController(Environment environment, QWidget *parent = nullptr);
    ~VRDSettingController() override;

    // The document of the one record; tabs keep it, never a copy of the record.
    VRDConfigDocument *filedata() { return &m_document; }
    const FILEDATA &fileData() const { return m_document.record(); }

    int lastSelectedTabIndex() const { return m_lastSelectedTabIndex; }
    QWidget *targetController() const { return m_targetController; }
    const std::optional<TKUSBDiskEntity> &selectedUSBDisk() const { return m_selectedUSBDisk; }
    // Path of the config.bin that was found and accepted; empty when none.
    const QString &settingFilePath() const { return m_SettingFilePath; }

    // Shows tab index (0 to 7) after the current tab has accepted and
    // stored its input; stays on the current tab when it refuses.
    void changeViewController(int index);
    // The current tab's answers; true and an empty message without a tab.
    bool populate();
    QString validateUserInput();

    void findUSBVolume();
    // Starts reading the card's (or the given) config.bin in the background;
    // false when there is no file to read.
    bool loadSettingFile();
    // A read was started and its result has not reached the record yet.
    bool isLoading() const;

    // The window-modal loading sheet: it closes at the first tick after
    // hideLoading, and after kLoadingLimitSeconds in any case.
    void showLoading(const QString &message);
    void hideLoading();
    bool isLoadingSheetVisible() const;
    // One tick of the sheet; the sheet's timer calls it every half second.
    void updateLoadingWindow(double seconds);
    double loadingProgress() const;

public slots:
    void onSave();
    void onSaveDefaultSetting();
    void onFormat();
    void onDiskUtil();
    void onCloseCmd();

signals:
    // The background read is over and the record holds its result.
    void settingFileLoaded();
    // A save wrote the record to path.
    void settingFileSaved(const QString &path);

protected:
    void showEvent(QShowEvent *event) override;

private:
    struct LoadResult {
        FILEDATA record;
        bool accepted;
    };

    void awakeFromNib();
    void windowDidLoad();
    void onInitDIalog();
    void finishLoading(const LoadResult &result);
    TKCardLocator cardLocator() const;
    QWidget *createDriveInfoController();
    VRDSettingControllerDelegate *currentTab() const;
    QString chooseSaveDestination();
    QString defaultSavePath() const;
    void writeRecord(const QString &path);
    void showRecordOnCurrentTab();

    std::unique_ptr<Ui::VRDSettingController> m_ui;
    std::unique_ptr<Ui::VRDSettingLoadingPanel> m_progressUi;
    Environment m_environment;
    QDialog *m_progressPanel = nullptr;
    QFutureWatcher<LoadResult> m_loadWatcher;
    bool m_windowLoaded = false;
    bool m_loadPending = false;
    int m_lastSelectedTabIndex = -1;
    QString m_strVersion;
    QString m_SettingFilePath;
    QPointer<QWidget> m_targetController;
    QPointer<QWidget> m_driveInfoController;
    std::optional<TKUSBDiskEntity> m_selectedUSBDisk;
    VRDConfigDocument m_document;
};
