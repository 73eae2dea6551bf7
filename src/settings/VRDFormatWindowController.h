#pragma once

#include "disk/TKFormatResult.h"
#include "disk/TKUSBDiskEntity.h"

#include <QDialog>
#include <QFutureWatcher>
#include <QString>
#include <QStringList>

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace Ui {
class VRDFormatWindowController;
}
class TKCommandRunner;
class TKDiskService;
class TKFormatJob;

// The format window: lists the USB disks, shows the chosen one's device,
// mount point, file system and allocation unit, and formats it for the
// camera (FAT32 "TOVIK", config.bin kept) after the user has confirmed.
// The disk search and the format run go on off the main thread.
class VRDFormatWindowController : public QDialog
{
    Q_OBJECT

public:
    // Asks whether to erase the card that `displayString` names; true to go on.
    using EraseConfirmation = std::function<bool(QWidget *window, const QString &displayString)>;

    struct Environment {
        // The system's disk service; UDisks2 when empty.
        std::shared_ptr<TKDiskService> diskService;
        // Runs mkfs.fat; through pkexec when empty.
        std::shared_ptr<TKCommandRunner> runner;
        // Where config.bin is kept during the run; the system's temporary folder when empty.
        std::filesystem::path temporaryFolder;
        // A question box with the card's name when empty.
        EraseConfirmation confirmErase;
    };

    static constexpr int kProgressTickMs = 300;
    static constexpr double kProgressTimeLimitSeconds = 1000.0;

    explicit VRDFormatWindowController(QWidget *parent = nullptr);
    VRDFormatWindowController(Environment environment, QWidget *parent = nullptr);
    ~VRDFormatWindowController() override;

    Ui::VRDFormatWindowController &ui() { return *m_ui; }
    const std::vector<TKUSBDiskEntity> &usbDiskArray() const { return m_usbDiskArray; }
    std::optional<TKUSBDiskEntity> selectedUSBDisk() const;
    std::optional<TKUSBDiskEntity> selectUSBByDevFile(const std::string &deviceFilePath);
    bool stopProgressBar() const;
    double progress() const;
    bool isSearching() const;
    bool isFormatting() const;

    // The cluster size mkfs.fat makes from that many 512-byte sectors: "16 KB" for 32.
    static QString allocationUnitText(long sectorsPerCluster);

    // Refreshes the disk list in the background; `completion` runs on the
    // main thread once the combo box shows the new list.
    void loadUSBVolumes(std::function<void()> completion = {});

public slots:
    void changeDisk();
    void onFormat();
    void cancel();

signals:
    // The text beside the progress bar changed: the search or the format step under way.
    void progressMessageChanged(const QString &text);
    // The run is over and its alert is showing.
    void formatFinished(const TKFormatResult &result);

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    struct Listing {
        std::vector<TKUSBDiskEntity> disks;
        std::string problem;
    };

    void windowDidLoad();
    void startListing();
    // The background part of a refresh: the USB disks as the service lists them now.
    static Listing doLoadUSBVolumes(std::shared_ptr<TKDiskService> service);
    void listingArrived();
    void updateSelectedDiskInfo();
    void doFormat(const TKUSBDiskEntity &disk);
    void showStep(const TKFormatStep &step);
    void formatDidFinished(const TKFormatResult &result);
    void reportResult(const TKFormatResult &result, const std::string &deviceFilePath);
    QString failureText(const TKFormatResult &result, const QString &displayString) const;
    void setControlsEnabled(bool enabled);
    void setProgressMessage(const QString &text);

    void showProgressBar(const QString &text);
    void hideProgressBar();

    std::unique_ptr<Ui::VRDFormatWindowController> m_ui;
    Environment m_environment;
    std::unique_ptr<TKFormatJob> m_formatJob;
    QFutureWatcher<Listing> m_listingWatcher;
    std::vector<std::function<void()>> m_listingCompletions;
    bool m_listingShowedProgress = false;
    bool m_listingAgain = false;
    std::vector<TKUSBDiskEntity> m_usbDiskArray;
    std::string m_listingProblem;
    std::string m_formattingDevice;
    bool m_centred = false;
};
