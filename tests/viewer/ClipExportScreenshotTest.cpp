// The clip marks and export buttons in the main window on a real display,
// saved as <build>/screenshots/main-window-clip-marks.png to look at.
#include "player/VRDMediaEngine.h"
#include "ui_VRDMainWindow.h"
#include "viewer/VRDAppDelegate.h"
#include "viewer/VRDClipExportController.h"
#include "viewer/VRDMediaTableModel.h"

#include "Screenshot.h"

#include <QDir>
#include <QProcess>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

TEST(ClipExportScreenshot, MarksOnThePositionSliderOfThePlayingRecording)
{
    const QString card = QDir(qEnvironmentVariable("TOVIK_TEST_TMP")).filePath("clip-screenshot-card");
    QProcess generator;
    generator.start(qEnvironmentVariable("TOVIK_BUILD_DIR") + "/demo/tovik-demo-card", {card});
    ASSERT_TRUE(generator.waitForFinished(120000));
    ASSERT_EQ(generator.exitCode(), 0);

    VRDAppDelegate app{VRDAppDelegate::Options{.silentAudio = true}};
    app.applicationDidFinishLaunching();
    app.window().show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&app.window()));
    QSignalSpy listed(&app.mediaTableModel(), &QAbstractItemModel::modelReset);
    app.openMediaDirectory(card);
    ASSERT_TRUE(listed.wait(10000));
    // Row 6 is the event recording's front file.
    emit app.changeAndPlayRequested(6);
    QTRY_VERIFY_WITH_TIMEOUT(app.engine().time() > 2000, 20000);
    app.clipExport().markIn();
    QTRY_VERIFY_WITH_TIMEOUT(app.engine().time() > 6000, 20000);
    app.clipExport().markOut();
    EXPECT_TRUE(app.clipExport().marks().range());
    EXPECT_TRUE(saveScreenshot(app.window(), "main-window-clip-marks"));
}
