#pragma once

#include "devicedata/VRDDriveInfoLog.h"
#include "io/TKFileError.h"
#include "settings/VRDSettingControllerDelegate.h"

#include <QFutureWatcher>
#include <QModelIndex>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace Ui {
class VRDSettingForFlashDataViewController;
}
class VRDDriveInfoTableModel;
class VRDMapPresenter;

// The settings window's last tab: the camera's drive-information log as a
// table of 21 columns, read from the card the first time the tab is shown
// or from a .drv file the user opens. A double-click shows the row's
// position in a map window beside the settings window; Export writes the
// table as comma-separated text. It never changes the settings record.
class VRDSettingForFlashDataViewController : public QWidget, public VRDSettingControllerDelegate
{
    Q_OBJECT

public:
    using OpenPathChooser = std::function<QString(QWidget *window)>;
    using SavePathChooser = std::function<QString(QWidget *window, const QString &proposedPath)>;
    using MapWindowMaker = std::function<std::unique_ptr<VRDMapPresenter>()>;

    struct Environment {
        // An open dialog for ".drv" files when empty.
        OpenPathChooser chooseOpenPath;
        // A save dialog for ".csv" files when empty.
        SavePathChooser chooseSavePath;
        // The application's map window when empty.
        MapWindowMaker makeMapWindow;
    };

    static constexpr int kSavedAlertDelayMs = 500;

    explicit VRDSettingForFlashDataViewController(QWidget *parent = nullptr);
    VRDSettingForFlashDataViewController(Environment environment, QWidget *parent = nullptr);
    ~VRDSettingForFlashDataViewController() override;

    void setFileData(VRDConfigDocument *document) override;
    QString validateUserInput() override;
    bool populate() override;
    void setMainController(VRDSettingController *controller) override;
    void onHide() override;

    // The log to read at the first display; the settings window sets it.
    void setM_FlashDataFilePath(const QString &path) { m_FlashDataFilePath = path; }
    const QString &flashDataFilePath() const { return m_FlashDataFilePath; }
    std::int64_t flashDataNum() const;
    bool flashDataAccess() const { return m_bFlashDataAccess; }
    const QStringList &columnNames() const { return m_columnNames; }
    VRDDriveInfoTableModel &model() { return *m_model; }
    Ui::VRDSettingForFlashDataViewController &ui() { return *m_ui; }
    VRDMapPresenter *mapWindowController() const { return m_mapWindowController.get(); }
    bool isBusy() const;

public slots:
    void openFileDialog();
    void loadFlashDataFile();
    void doubleClickTableRow(const QModelIndex &index);
    void onSaveCSVFile();

signals:
    // A read is over; the table shows its result (or what it showed before).
    void flashDataLoaded(bool succeeded);
    // An export is over and its alert is about to show.
    void csvFileWritten(const QString &path, bool succeeded);

private:
    struct ReadResult {
        std::shared_ptr<const VRDDriveInfoLog> log;
        std::optional<TKFileError> error;
    };

    void awakeFromNib();
    void fitColumns();
    // Sizes the table's column `index` to `width`, widened where its title or a
    // cell of fixed form would be cut off.
    void makeColumnWithIndex(int index, const QString &title, int width);
    void displayFileData();
    // Run on a pool thread: they read only what they are given.
    static ReadResult doReadFlashDataFile(const std::string &path);
    static std::optional<TKFileError> doWriteCSVFile(std::shared_ptr<const VRDDriveInfoLog> log,
                                                     std::vector<std::string> titles, const std::string &path);
    void readFinished();
    void writeFinished();
    QString openSavePanel();
    void releaseMapWindow();
    void setBusy(bool busy);

    std::unique_ptr<Ui::VRDSettingForFlashDataViewController> m_ui;
    Environment m_environment;
    VRDConfigDocument *m_document = nullptr;
    bool m_firstLoad = true;
    bool m_bFlashDataAccess = false;
    bool m_userOpenedFile = false;
    QPointer<VRDSettingController> m_mainController;
    QString m_FlashDataFilePath;
    QString m_exportPath;
    QStringList m_columnNames;
    // The records last read; the table and a running export share them, and
    // a new read replaces them whole.
    std::shared_ptr<const VRDDriveInfoLog> m_pFalshSaveValue = std::make_shared<const VRDDriveInfoLog>();
    VRDDriveInfoTableModel *m_model = nullptr;
    std::unique_ptr<VRDMapPresenter> m_mapWindowController;
    QFutureWatcher<ReadResult> m_readWatcher;
    QFutureWatcher<std::optional<TKFileError>> m_writeWatcher;
};
