// The demo card's crash in the viewer on real libmpv engines: the head bar
// offers to recover the folder's cut-off recordings, playing the cut-off
// event says why it fails and offers Recover, and after recovering it plays.
#include "Screenshot.h"
#include "player/VRDMediaEngine.h"
#include "ui_VRDMainWindow.h"
#include "viewer/VRDAppDelegate.h"
#include "viewer/VRDDualPlaybackController.h"

#include <QApplication>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace {

constexpr const char *kCutOffFront = "event_20240315_093010_F.MP4";

QString makeStandardCard(const QString &folder)
{
    QProcess generator;
    generator.start(qEnvironmentVariable("TOVIK_BUILD_DIR") + "/demo/tovik-demo-card",
                    {"--duration", "3", "--width", "320", "--height", "180", "--fps", "15", folder});
    if (!generator.waitForFinished(120000) || generator.exitCode() != 0)
        return {};
    return folder;
}

int rowOf(VRDAppDelegate &app, const QString &fileName)
{
    for (std::size_t row = 0; row < app.mediaList().count(); ++row) {
        if (QString::fromStdString(app.mediaList().mediaAtIndex(row)->path()).endsWith("/" + fileName))
            return static_cast<int>(row);
    }
    return -1;
}

QMessageBox *openMessageBox(VRDAppDelegate &app)
{
    for (QMessageBox *box : app.window().findChildren<QMessageBox *>()) {
        if (box->isVisible())
            return box;
    }
    return nullptr;
}

// The viewer opened on a fresh standard demo card, which holds cut-off recordings.
class RecoveryIntegration : public ::testing::Test
{
protected:
    void SetUp() override
    {
        card = makeStandardCard(scratch.filePath("card"));
        ASSERT_FALSE(card.isEmpty()) << "tovik-demo-card failed";
        VRDAppDelegate::Options options;
        options.loadMapPage = false;
        options.silentAudio = true;
        viewer = std::make_unique<VRDAppDelegate>(options);
        viewer->applicationDidFinishLaunching();
        viewer->window().show();
        viewer->openMediaDirectory(card);
    }

    QTemporaryDir scratch{QDir(qEnvironmentVariable("TOVIK_TEST_TMP", QDir::tempPath())).filePath("recovery-XXXXXX")};
    QString card;
    std::unique_ptr<VRDAppDelegate> viewer;
};

} // namespace

TEST_F(RecoveryIntegration, CutOffEventIsOfferedForRecoveryAndThenPlays)
{
    VRDAppDelegate &app = *viewer;
    ASSERT_TRUE(QTest::qWaitFor([&] { return rowOf(app, kCutOffFront) >= 0; }, 10000));

    QPushButton &recoverAll = *app.ui().recoverAllButton;
    ASSERT_TRUE(QTest::qWaitFor([&] { return recoverAll.isVisible(); }, 10000));
    EXPECT_TRUE(recoverAll.text().contains('2')) << recoverAll.text().toStdString();
    EXPECT_TRUE(saveScreenshot(app.window(), "recovery_button"));

    // The cut-off front file does not play: the viewer says why and offers to recover it with its twin.
    emit app.changeAndPlayRequested(rowOf(app, kCutOffFront));
    QMessageBox *box = nullptr;
    ASSERT_TRUE(QTest::qWaitFor([&] { return (box = openMessageBox(app)) != nullptr; }, 10000));
    EXPECT_TRUE(box->text().contains("cut off")) << box->text().toStdString();
    EXPECT_TRUE(box->text().contains("lost power")) << box->text().toStdString();
    EXPECT_TRUE(box->informativeText().contains(kCutOffFront));
    EXPECT_TRUE(saveScreenshot(*box, "recovery_alert"));
    QAbstractButton *recover = nullptr;
    for (QAbstractButton *button : box->buttons()) {
        if (button->text() == "Recover")
            recover = button;
    }
    ASSERT_NE(recover, nullptr);

    QSignalSpy started(&app.playback(), &VRDDualPlaybackController::playbackStarted);
    recover->click();
    ASSERT_TRUE(started.wait(60000)) << "the recovered recording does not play";
    EXPECT_TRUE(app.engine().media(VRDMediaEngine::View::Main).endsWith("/RECOVERED/" + QString(kCutOffFront))) << app.engine().media(VRDMediaEngine::View::Main).toStdString();
    EXPECT_TRUE(app.engine().media(VRDMediaEngine::View::Sub).endsWith("/RECOVERED/event_20240315_093010_R.MP4")) << app.engine().media(VRDMediaEngine::View::Sub).toStdString();
    EXPECT_TRUE(app.engine().isPlaying());
    // Both channels are recovered: nothing is left to offer.
    EXPECT_TRUE(QTest::qWaitFor([&] { return !recoverAll.isVisible(); }, 10000));
    EXPECT_EQ(openMessageBox(app), nullptr);
    EXPECT_TRUE(saveScreenshot(app.window(), "recovery_playing"));
}

TEST_F(RecoveryIntegration, HeadBarButtonRecoversEveryCutOffRecordingOfTheFolder)
{
    VRDAppDelegate &app = *viewer;
    QPushButton &recoverAll = *app.ui().recoverAllButton;
    ASSERT_TRUE(QTest::qWaitFor([&] { return recoverAll.isVisible(); }, 10000));

    const std::size_t recordings = app.mediaList().count();
    recoverAll.click();
    QMessageBox *box = nullptr;
    ASSERT_TRUE(QTest::qWaitFor([&] { return (box = openMessageBox(app)) != nullptr; }, 60000));
    EXPECT_EQ(box->text(), "2 of 2 cut-off recordings recovered.");
    EXPECT_EQ(QDir(card + "/RECOVERED").entryList(QDir::Files).size(), 2);
    // The library shows the recovered pair in place of the cut-off one, and nothing is left to recover.
    EXPECT_TRUE(QTest::qWaitFor([&] { return rowOf(app, "RECOVERED/" + QString(kCutOffFront)) >= 0; }, 10000));
    EXPECT_EQ(app.mediaList().count(), recordings);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !recoverAll.isVisible(); }, 10000));
}
