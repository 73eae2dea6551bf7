// The main window and the card: an inserted card is offered in a bar, a
// pulled one stops playback and empties the list; what the viewer remembers
// between runs; the preferences dialog.
#include "FakeMediaEngine.h"
#include "Screenshot.h"

#include "disk/TKDiskService.h"
#include "maps/TKMapSource.h"
#include "ui_VRDCardBar.h"
#include "ui_VRDMainWindow.h"
#include "ui_VRDPreferencesDialog.h"
#include "viewer/VRDAppDelegate.h"
#include "viewer/VRDCardBar.h"
#include "viewer/VRDCardWatcher.h"
#include "viewer/VRDDualPlaybackController.h"
#include "viewer/VRDMediaTableModel.h"
#include "viewer/VRDPlayInfo.h"
#include "viewer/VRDPreferencesDialog.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QSignalSpy>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTest>
#include <gtest/gtest.h>

#include <atomic>
#include <mutex>

namespace {

// A disk service whose volumes the test sets; it tells of each change as the system's would.
class FakeCardService : public TKDiskService
{
public:
    TKVolumeListing listVolumes() override
    {
        std::lock_guard lock(m_mutex);
        ++listings;
        return {m_volumes, {}};
    }
    TKStatus<> mount(const TKVolumeDescription &) override { return {}; }
    TKStatus<> unmount(const TKVolumeDescription &) override { return {}; }
    TKStatus<> setLabel(const TKVolumeDescription &, const std::string &) override { return {}; }
    void setVolumesChangedHandler(std::function<void()> handler) override { m_handler = std::move(handler); }

    void change(std::vector<TKVolumeDescription> volumes)
    {
        {
            std::lock_guard lock(m_mutex);
            m_volumes = std::move(volumes);
        }
        if (m_handler)
            m_handler();
    }

    std::atomic<int> listings = 0;

private:
    std::mutex m_mutex;
    std::vector<TKVolumeDescription> m_volumes;
    std::function<void()> m_handler;
};

TKVolumeDescription cardAt(const QString &mountPath, const char *label = "TOVIK")
{
    TKVolumeDescription volume;
    volume.key = "/org/freedesktop/UDisks2/block_devices/sdb1";
    volume.deviceName = "sdb1";
    volume.volumeName = label;
    volume.mountPath = mountPath.toStdString();
    volume.connectionBus = "usb";
    volume.removable = true;
    volume.writable = true;
    return volume;
}

QString tempRoot()
{
    return QString::fromLocal8Bit(qgetenv("TOVIK_TEST_TMP"));
}

// A folder that looks like the card: two recordings, a rear twin, config.bin.
QString makeCard(const QString &name)
{
    const QString folder = tempRoot() + '/' + name;
    QDir(folder).removeRecursively();
    EXPECT_TRUE(QDir().mkpath(folder));
    for (const char *file : {"alwa_20230115_143005_F.MP4", "alwa_20230115_143005_R.MP4", "evnt_20230115_143105_F.MP4",
                             "config.bin"}) {
        QFile recording(folder + '/' + file);
        EXPECT_TRUE(recording.open(QIODevice::WriteOnly));
    }
    return folder;
}

struct CardFixture : ::testing::Test {
    static VRDAppDelegate::Options options(std::shared_ptr<TKDiskService> service)
    {
        VRDAppDelegate::Options options;
        options.loadMapPage = false;
        options.makeEngine = [](VRDScrollableVideoContainerView &, VRDScrollableVideoContainerView &) {
            return std::make_unique<FakeMediaEngine>();
        };
        options.diskService = std::move(service);
        return options;
    }

    void SetUp() override
    {
        app.applicationDidFinishLaunching();
        app.window().show();
        // The first listing only notes what is mounted at start.
        ASSERT_TRUE(QTest::qWaitFor([this] { return service->listings >= 1; }, 5000));
        engine().setLength(60000);
        engine().setVideoSize(QSize(320, 180));
        engine().setAnswersRequests(true);
    }

    // One engine plays a recording and its twin.
    FakeMediaEngine &engine() { return static_cast<FakeMediaEngine &>(app.engine()); }

    bool startFirstRecording()
    {
        QSignalSpy started(&app.playback(), &VRDDualPlaybackController::playbackStarted);
        if (!app.playback().playAtIndex(0))
            return false;
        return started.wait(3000) || !started.isEmpty();
    }

    void expectStoppedAndListedAsGone()
    {
        ASSERT_TRUE(QTest::qWaitFor([this] { return app.isCardGone(); }, 5000));
        EXPECT_TRUE(QTest::qWaitFor([this] { return !engine().isPlaying(); }, 2000));
        EXPECT_TRUE(engine().media(VRDMediaEngine::View::Main).isEmpty()) << "the engine lets go of the vanished files";
        EXPECT_TRUE(engine().media(VRDMediaEngine::View::Sub).isEmpty());
        EXPECT_FALSE(app.playInfo().isPlaying());
        EXPECT_TRUE(QTest::qWaitFor([this] { return app.mediaList().count() == 0; }, 5000)) << "no row names a gone file";
        EXPECT_EQ(app.mediaTableModel().rowCount(), 0);
        EXPECT_TRUE(app.ui().cardGoneLabel->isVisible());
        EXPECT_TRUE(QTest::qWaitFor([this] { return !app.ui().progressIndicator->isVisible(); }, 2000))
            << "no loading shows for a start that cannot end";
        EXPECT_TRUE(app.cardBar().isVisible());
        EXPECT_FALSE(app.cardBar().ui().openButton->isVisible());

        // A double click that was on its way, and the play button, find nothing to play.
        emit app.changeAndPlayRequested(0);
        app.ui().playButton->click();
        QTest::qWait(100);
        EXPECT_FALSE(engine().isPlaying());
    }

    // Changes the volumes and waits until the viewer has listed them.
    void changeVolumes(std::vector<TKVolumeDescription> volumes)
    {
        const int before = service->listings;
        service->change(std::move(volumes));
        ASSERT_TRUE(QTest::qWaitFor([this, before] { return service->listings > before; }, 5000));
        QTest::qWait(50);
    }

    std::shared_ptr<FakeCardService> service = std::make_shared<FakeCardService>();
    VRDAppDelegate app{options(service)};
};

} // namespace

TEST_F(CardFixture, InsertedCardIsOfferedInABarAndOpensOnlyWhenAsked)
{
    EXPECT_FALSE(app.cardBar().isVisible());
    const QString card = makeCard("card-offered");
    changeVolumes({cardAt(card)});
    ASSERT_TRUE(QTest::qWaitFor([this] { return app.cardBar().isVisible(); }, 5000));
    EXPECT_FALSE(app.cardBar().isWindow()) << "a bar in the window, not a dialog";
    EXPECT_FALSE(app.cardBar().isAncestorOf(QApplication::focusWidget())) << "the bar takes no focus";
    EXPECT_EQ(app.cardBar().focusPolicy(), Qt::NoFocus);
    EXPECT_TRUE(app.cardBar().ui().messageLabel->text().contains("TOVIK"));
    EXPECT_EQ(app.mediaList().directoryPath(), "") << "never opened unasked";
    saveScreenshot(app.window(), "main_window_card_bar");

    app.cardBar().ui().openButton->click();
    EXPECT_FALSE(app.cardBar().isVisible());
    EXPECT_EQ(app.mediaList().directoryPath(), card.toStdString());
    EXPECT_TRUE(QTest::qWaitFor([this] { return app.mediaList().count() == 3; }, 5000));

    // Pulled and inserted again while another folder is open: offered again, dismissed.
    const QString other = makeCard("other-folder");
    app.openMediaDirectory(other);
    changeVolumes({});
    changeVolumes({cardAt(card, "NO NAME")});
    ASSERT_TRUE(QTest::qWaitFor([this] { return app.cardBar().isVisible(); }, 5000)) << "config.bin at its root";
    app.cardBar().ui().dismissButton->click();
    EXPECT_FALSE(app.cardBar().isVisible());
    EXPECT_EQ(app.mediaList().directoryPath(), other.toStdString());
    EXPECT_FALSE(app.isCardGone()) << "the open folder is not on the card";

    // A volume that is not the camera's card is not offered.
    const QString stick = tempRoot() + "/stick";
    QDir().mkpath(stick);
    changeVolumes({cardAt(card, "NO NAME"), cardAt(stick, "STICK")});
    EXPECT_FALSE(app.cardBar().isVisible());
}

TEST_F(CardFixture, PulledCardStopsPlaybackAndTheListSaysTheCardIsGone)
{
    const QString card = makeCard("card-pulled");
    changeVolumes({cardAt(card)});
    app.openMediaDirectory(card);
    ASSERT_TRUE(QTest::qWaitFor([this] { return app.mediaList().count() == 3; }, 5000));
    ASSERT_TRUE(startFirstRecording());
    ASSERT_TRUE(engine().isPlaying());

    // Unmounted: the mount point stays, empty, as some desktops leave it.
    for (const QString &file : QDir(card).entryList(QDir::Files))
        QFile::remove(card + '/' + file);
    changeVolumes({});
    expectStoppedAndListedAsGone();
    saveScreenshot(app.window(), "main_window_card_gone");

    // Opening a folder again clears the report.
    app.openMediaDirectory(makeCard("card-again"));
    EXPECT_FALSE(app.isCardGone());
    EXPECT_FALSE(app.ui().cardGoneLabel->isVisible());
}

TEST_F(CardFixture, FolderThatDisappearsDuringPlaybackStopsItCleanly)
{
    const QString folder = makeCard("vanishing");
    app.openMediaDirectory(folder);
    ASSERT_TRUE(QTest::qWaitFor([this] { return app.mediaList().count() == 3; }, 5000));
    ASSERT_TRUE(startFirstRecording());

    // No disk service hears of it: the folder itself goes.
    ASSERT_TRUE(QDir(folder).removeRecursively());
    expectStoppedAndListedAsGone();
}

TEST(RememberedSettingsTest, FirstRunStartsWithTheLaunchValuesLaterRunsWithTheLastOnes)
{
    const QString folder = makeCard("remembered");
    {
        VRDAppDelegate first(CardFixture::options(nullptr));
        first.applicationDidFinishLaunching();
        EXPECT_EQ(first.volume(), VRDAppDelegate::kInitialVolume);
        EXPECT_EQ(first.window().size(), VRDAppDelegate::minWindowSize);
        EXPECT_FALSE(first.openRememberedFolder());

        first.setVolume(125);
        first.window().resize(1180, 760);
        first.openMediaDirectory(folder);
    }
    {
        VRDAppDelegate second(CardFixture::options(nullptr));
        second.applicationDidFinishLaunching();
        EXPECT_EQ(second.volume(), 125);
        EXPECT_EQ(second.ui().volumeSlider->value(), 125);
        // Never larger than the screen, unless the screen is below the minimum anyway.
        const QSize available = second.window().screen()->availableGeometry().size();
        EXPECT_EQ(second.window().size(), QSize(1180, 760).boundedTo(available.expandedTo(VRDAppDelegate::minWindowSize)));
        EXPECT_TRUE(second.openRememberedFolder());
        EXPECT_EQ(second.mediaList().directoryPath(), folder.toStdString());
        second.window().resize(300, 200);
    }
    ASSERT_TRUE(QDir(folder).removeRecursively());
    VRDAppDelegate third(CardFixture::options(nullptr));
    third.applicationDidFinishLaunching();
    EXPECT_FALSE(third.openRememberedFolder()) << "a folder that is gone is ignored quietly";
    EXPECT_EQ(third.mediaList().directoryPath(), "");
    EXPECT_EQ(third.window().size(), VRDAppDelegate::minWindowSize) << "never below the minimum";

    QSettings settings;
    settings.setValue("viewer/volume", 9000);
    EXPECT_EQ(VRDAppDelegate(CardFixture::options(nullptr)).volume(), 200);
}

TEST(PreferencesTest, MBTilesFileIsCheckedBeforeItIsKept)
{
    VRDAppDelegate app(CardFixture::options(nullptr));
    app.applicationDidFinishLaunching();
    app.window().show();
    app.showPreferences();
    VRDPreferencesDialog *dialog = app.preferencesDialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(dialog->ui().onlineRadio->isChecked()) << "online on the first run";
    EXPECT_FALSE(dialog->ui().mbtilesPathField->isEnabled());

    const QString bad = tempRoot() + "/not-tiles.mbtiles";
    QFile file(bad);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("not a database");
    file.close();
    dialog->ui().mbtilesRadio->setChecked(true);
    dialog->ui().mbtilesPathField->setText(bad);
    dialog->accept();
    EXPECT_TRUE(dialog->isVisible()) << "stays open and says why";
    EXPECT_TRUE(dialog->ui().problemLabel->isVisible());
    EXPECT_FALSE(dialog->ui().problemLabel->text().isEmpty());
    saveScreenshot(*dialog, "preferences_dialog");

    const QString good = tempRoot() + "/region.mbtiles";
    {
        QSqlDatabase database = QSqlDatabase::addDatabase("QSQLITE", "make");
        database.setDatabaseName(good);
        ASSERT_TRUE(database.open());
        QSqlQuery(database).exec("CREATE TABLE tiles (zoom_level INTEGER, tile_column INTEGER, tile_row INTEGER, "
                                 "tile_data BLOB)");
        database.close();
    }
    QSqlDatabase::removeDatabase("make");
    dialog->ui().mbtilesPathField->setText(good);
    dialog->accept();
    EXPECT_TRUE(QTest::qWaitFor([&app] { return app.preferencesDialog() == nullptr; }, 2000));
    QSettings settings;
    EXPECT_EQ(TKMapSource::load(settings), (TKMapSource{TKTileSourceKind::MBTilesFile, good}));

    app.showPreferences();
    ASSERT_NE(app.preferencesDialog(), nullptr);
    EXPECT_TRUE(app.preferencesDialog()->ui().mbtilesRadio->isChecked());
    EXPECT_EQ(app.preferencesDialog()->ui().mbtilesPathField->text(), good);
}
