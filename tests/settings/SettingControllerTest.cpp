#include "SettingControllerFakes.h"
#include "TestFolder.h"

#include "settings/VRDFormatWindowController.h"
#include "widgets/TKSegmentedControl.h"

#include <QAbstractButton>
#include <QFile>
#include <QLabel>
#include <QProcessEnvironment>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

#include <cstring>

namespace {

using Log = std::vector<std::string>;

struct Window {
    std::shared_ptr<FakeDiskService> disks = std::make_shared<FakeDiskService>();
    std::shared_ptr<FakeTabFactory> tabs = std::make_shared<FakeTabFactory>();
    std::unique_ptr<VRDSettingController> controller;

    void open()
    {
        VRDSettingController::Environment environment;
        environment.diskService = disks;
        environment.tabFactory = tabs;
        environment.chooseSavePath = [](QWidget *, const QString &) { return QString(); };
        controller = std::make_unique<VRDSettingController>(std::move(environment));
        controller->show();
    }
    FakeTab *tab() const { return dynamic_cast<FakeTab *>(controller->targetController()); }
    TKSegmentedControl *segments() const
    {
        return controller->findChild<TKSegmentedControl *>("functionSegmentedControl");
    }
    Log takeLog()
    {
        Log taken = *tabs->log;
        tabs->log->clear();
        return taken;
    }
};

TEST(SettingController, ShowsTabZeroWithTheRecordAndTheEightSegments)
{
    Window window;
    window.open();

    EXPECT_EQ(window.segments()->segmentCount(), 8);
    EXPECT_EQ(window.segments()->labelForSegment(4), "Parking");
    EXPECT_EQ(window.segments()->selectedSegment(), 0);
    EXPECT_EQ(window.controller->lastSelectedTabIndex(), 0);
    EXPECT_EQ(window.takeLog(), (Log{"setFileData 0", "setMainController 0"}));
    ASSERT_NE(window.tab(), nullptr);
    EXPECT_EQ(window.tab()->fileData, window.controller->filedata());
    EXPECT_EQ(window.tab()->mainController, window.controller.get());
    EXPECT_EQ(window.tab()->windowTitle(), "Video");
    // No card: the defaults, time zone still unset.
    FILEDATA defaults{};
    VRDResetFileData(defaults);
    EXPECT_EQ(std::memcmp(&window.controller->fileData(), &defaults, sizeof defaults), 0);
    EXPECT_EQ(window.controller->windowTitle(), "Tovik Settings");
}

TEST(SettingController, TabSwitchValidatesPopulatesAndHidesTheOldTab)
{
    Window window;
    window.open();
    window.takeLog();
    QPointer<QWidget> first = window.controller->targetController();

    window.controller->changeViewController(0);
    EXPECT_TRUE(window.takeLog().empty()) << "the shown tab's own segment does nothing";

    window.segments()->buttonForSegment(2)->click();
    EXPECT_EQ(window.takeLog(), (Log{"validate 0", "populate 0", "onHide 0", "setFileData 2", "setMainController 2"}));
    EXPECT_EQ(window.controller->fileData().vid_enc_bitrate, 0u) << "tab 0 stored its controls";
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(first.isNull());

    window.controller->changeViewController(0);
    EXPECT_EQ(window.tabs->created[0], 2) << "tabs 0 to 6 are made anew on every visit";
    EXPECT_EQ(window.controller->fileData().vid_enc_bitrate, 2u);
}

TEST(SettingController, RefusedInputKeepsTheTabAndItsSegment)
{
    Window window;
    window.open();
    window.tab()->refusal = "Enter a value from 0.1 to 3.0 g.";
    QPointer<QWidget> refusing = window.controller->targetController();
    window.takeLog();

    window.segments()->buttonForSegment(3)->click();

    EXPECT_EQ(window.takeLog(), (Log{"validate 0"}));
    EXPECT_EQ(window.controller->targetController(), refusing.data());
    EXPECT_EQ(window.segments()->selectedSegment(), 0);
    EXPECT_EQ(window.controller->lastSelectedTabIndex(), 0);
    const auto alerts = alertsOf(window.controller.get());
    ASSERT_EQ(alerts.size(), 1u);
    EXPECT_EQ(alerts[0]->text(), "TOVIK");
    EXPECT_EQ(alerts[0]->informativeText(), "Enter a value from 0.1 to 3.0 g.");
    dismissAlerts(window.controller.get());

    // A tab that cannot store stays too, without an alert.
    window.tab()->refusal.clear();
    window.tab()->acceptPopulate = false;
    window.segments()->buttonForSegment(3)->click();
    EXPECT_EQ(window.takeLog(), (Log{"validate 0", "populate 0"}));
    EXPECT_EQ(window.segments()->selectedSegment(), 0);
    EXPECT_TRUE(alertsOf(window.controller.get()).empty());
    // Out-of-range indexes are ignored.
    window.controller->changeViewController(8);
    EXPECT_EQ(window.controller->lastSelectedTabIndex(), 0);
}

TEST(SettingController, DriveInfoTabIsMadeOnceAndKept)
{
    Window window;
    window.open();
    window.controller->changeViewController(7);
    QPointer<QWidget> viewer = window.controller->targetController();
    EXPECT_EQ(viewer->windowTitle(), "Drive Information");
    window.controller->changeViewController(1);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_FALSE(viewer.isNull());
    EXPECT_FALSE(viewer->isVisible());
    window.takeLog();

    window.controller->changeViewController(7);
    EXPECT_EQ(window.controller->targetController(), viewer.data());
    EXPECT_EQ(window.tabs->created[7], 1);
    EXPECT_TRUE(window.tabs->driveInfoPath.isEmpty()) << "no card, no log";
    EXPECT_EQ(window.takeLog(), (Log{"validate 1", "populate 1", "onHide 1", "setFileData 7", "setMainController 7"}));
}

TEST(SettingController, TabThatEditsNothingIsLeftOutOfTheProtocol)
{
    class PlainTabFactory : public FakeTabFactory {
    public:
        QWidget *createTab(int index, VRDConfigDocument *data) const override
        {
            return index == 1 ? new QWidget : FakeTabFactory::createTab(index, data);
        }
    };
    Window window;
    window.tabs = std::make_shared<PlainTabFactory>();
    window.open();
    window.controller->changeViewController(1);
    ASSERT_NE(window.controller->targetController(), nullptr);
    EXPECT_EQ(window.tab(), nullptr);
    window.takeLog();
    window.controller->onSave();
    EXPECT_TRUE(window.controller->populate());
    EXPECT_TRUE(window.controller->validateUserInput().isNull());

    window.controller->changeViewController(2);
    EXPECT_EQ(window.takeLog(), (Log{"setFileData 2", "setMainController 2"}));
}

TEST(SettingController, InitializeResetsTheRecordAndRedisplaysTheTab)
{
    Window window;
    window.open();
    editRecord(window.controller->filedata(), [](FILEDATA &record) {
        record.vid_enc_bitrate = 2;
        record.time_gmt = 20;
    });
    window.takeLog();

    window.controller->onSaveDefaultSetting();

    EXPECT_EQ(window.takeLog(), (Log{"setFileData 0"}));
    EXPECT_EQ(window.tab()->shownRecord.vid_enc_bitrate, 1u) << "the default quality";
    EXPECT_EQ(window.controller->fileData().time_gmt, 20) << "the time zone has no default";
}

TEST(SettingController, LoadingSheetClosesAtTheTickAfterHideOrAfterFifteenSeconds)
{
    Window window;
    window.open();
    VRDSettingController &controller = *window.controller;

    controller.showLoading("Reading the log...");
    EXPECT_TRUE(controller.isLoadingSheetVisible());
    controller.updateLoadingWindow(15.0);
    EXPECT_TRUE(controller.isLoadingSheetVisible());
    controller.hideLoading();
    EXPECT_TRUE(controller.isLoadingSheetVisible()) << "closes at the next tick, not at once";
    controller.updateLoadingWindow(15.0);
    EXPECT_FALSE(controller.isLoadingSheetVisible());
    EXPECT_EQ(controller.findChild<QLabel *>("messageField")->text(), "Reading the log...");

    controller.showLoading("Loading...");
    EXPECT_DOUBLE_EQ(controller.loadingProgress(), 0.0) << "a new sheet starts from zero";
    for (int tick = 1; tick < 30; ++tick)
        controller.updateLoadingWindow(15.0);
    EXPECT_TRUE(controller.isLoadingSheetVisible()) << "29 ticks are 14.5 seconds";
    controller.updateLoadingWindow(15.0);
    EXPECT_FALSE(controller.isLoadingSheetVisible());
    EXPECT_DOUBLE_EQ(controller.loadingProgress(), 100.0);
}

TEST(SettingController, FormatOpensItsWindowAndDiskUtilityExplainsWhatIsMissing)
{
    Window window;
    window.open();
    window.controller->onFormat();
    auto *format = window.controller->findChild<VRDFormatWindowController *>();
    ASSERT_NE(format, nullptr);
    EXPECT_TRUE(format->isVisible());
    EXPECT_TRUE(QTest::qWaitFor([&] { return !format->isSearching(); }));
    window.controller->onFormat();
    EXPECT_EQ(window.controller->findChildren<VRDFormatWindowController *>().size(), 1);
    format->close();

    TestFolder bin("disk_utility");
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", QByteArray::fromStdString(bin.path()));
    window.controller->onDiskUtil();
    auto alerts = alertsOf(window.controller.get());
    ASSERT_EQ(alerts.size(), 1u);
    EXPECT_TRUE(alerts[0]->informativeText().contains("gnome-disks"));
    dismissAlerts(window.controller.get());

    // An installed utility is started on its own, without a shell.
    const std::string marker = bin.path("started");
    const std::string script = "#!/bin/sh\necho \"$#\" > '" + marker + "'\n";
    writeBytes(bin.path("partitionmanager"), script.data(), script.size());
    QFile::setPermissions(QString::fromStdString(bin.path("partitionmanager")),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    window.controller->onDiskUtil();
    qputenv("PATH", path);
    EXPECT_TRUE(alertsOf(window.controller.get()).empty());
    for (int wait = 0; wait < 100 && readBytes(marker).empty(); ++wait)
        QThread::msleep(20);
    EXPECT_EQ(std::string(readBytes(marker).data(), readBytes(marker).size()), "0\n");
}

} // namespace
