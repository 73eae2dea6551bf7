// The clip marks and export buttons in the main window on a real display,
// and the export dialog exporting ten seconds of the demo card's event
// with everything it offers; the files are read back by the programs
// others will open them with. Pictures to look at are saved as
// <build>/screenshots/main-window-clip-marks.png and export-dialog-*.png.
#include "player/VRDMediaEngine.h"
#include "ui_VRDMainWindow.h"
#include "viewer/VRDAppDelegate.h"
#include "viewer/VRDClipExportController.h"
#include "viewer/VRDMediaTableModel.h"

#include "Screenshot.h"
#include "ViewerOnCard.h"

#include "viewer/VRDExportDialog.h"

#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace {

struct ToolRun {
    int exitCode = -1;
    QString out;
    QString err;
};

ToolRun run(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    ToolRun result;
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit)
        return result;
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

} // namespace

TEST(ClipExportScreenshot, MarksOnThePositionSliderOfThePlayingRecording)
{
    const QString card = QDir(qEnvironmentVariable("TOVIK_TEST_TMP")).filePath("clip-screenshot-card");
    QProcess generator;
    generator.start(qEnvironmentVariable("TOVIK_BUILD_DIR") + "/demo/tovik-demo-card", {card});
    ASSERT_TRUE(generator.waitForFinished(120000));
    ASSERT_EQ(generator.exitCode(), 0);

    VRDAppDelegate app{VRDAppDelegate::Options{.silentAudio = true}};
    ASSERT_TRUE(showViewerOnCard(app, card));
    // Row 6 is the event recording's front file, ten seconds long.
    emit app.changeAndPlayRequested(6);
    QTRY_VERIFY_WITH_TIMEOUT(app.engine().time() > 500, 20000);
    app.engine().pause();
    app.engine().setTime(0);
    QTRY_VERIFY_WITH_TIMEOUT(app.engine().time() < 100, 20000);
    app.clipExport().markIn();
    app.engine().setTime(9950);
    QTRY_VERIFY_WITH_TIMEOUT(app.engine().time() > 9800, 20000);
    app.clipExport().markOut();
    ASSERT_TRUE(app.clipExport().marks().range());
    // Taken now: at the recording's end the window may go on to the next one.
    const QString recording = QFileInfo(app.engine().media()).fileName();
    EXPECT_TRUE(saveScreenshot(app.window(), "main-window-clip-marks"));

    app.clipExport().exportMarked();
    VRDExportDialog *dialog = app.clipExport().dialog();
    ASSERT_NE(dialog, nullptr);
    const QString out = QDir(qEnvironmentVariable("TOVIK_TEST_TMP")).filePath("dialog-export");
    dialog->findChild<QLineEdit *>("folderField")->setText(out);
    dialog->findChild<QCheckBox *>("sideBySideChk")->setChecked(true);
    dialog->findChild<QCheckBox *>("reportChk")->setChecked(true);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog));
    EXPECT_TRUE(saveScreenshot(*dialog, "export-dialog-ready"));
    dialog->findChild<QPushButton *>("exportButton")->click();
    QTRY_VERIFY_WITH_TIMEOUT(!dialog->isExporting(), 600000);
    ASSERT_TRUE(dialog->outcome().ok) << dialog->outcome().error;
    EXPECT_TRUE(saveScreenshot(*dialog, "export-dialog-done"));

    QStringList names;
    for (const std::string &path : dialog->outcome().written)
        names << QFileInfo(QString::fromStdString(path)).fileName();
    // A clip from the recording's first second keeps the recording's name.
    const QString group = recording.chopped(QString("_F.MP4").size());
    EXPECT_TRUE(group.startsWith("event_")) << group.toStdString();
    EXPECT_EQ(names, QStringList({group + "_F.MP4", group + "_R.MP4", group + ".gpx", group + ".csv", group + "_pip.mp4",
                                  group + "_report.pdf", "manifest.json"}));
    for (const QString &video : {group + "_F.MP4", group + "_R.MP4", group + "_pip.mp4"}) {
        const ToolRun probe = run("ffprobe", {"-v", "error", "-show_entries", "format=duration", "-of", "csv=p=0", out + "/" + video});
        EXPECT_EQ(probe.exitCode, 0) << video.toStdString();
        EXPECT_TRUE(probe.err.isEmpty()) << probe.err.toStdString();
        EXPECT_NEAR(probe.out.toDouble(), 10.0, 0.5) << video.toStdString();
        const ToolRun played = run("mpv", {"--no-config", "--vo=null", "--ao=null", "--frames=30", out + "/" + video});
        EXPECT_EQ(played.exitCode, 0) << video.toStdString() << played.err.toStdString();
    }
    const ToolRun track = run("gpsbabel", {"-i", "gpx", "-f", out + "/" + group + ".gpx", "-o", "csv", "-F", "-"});
    EXPECT_EQ(track.exitCode, 0) << track.err.toStdString();
    EXPECT_GT(track.out.count('\n'), 90) << "ten samples a second";
    const ToolRun report = run("pdftotext", {out + "/" + group + "_report.pdf", "-"});
    EXPECT_TRUE(report.out.contains("Incident report: " + group)) << report.out.toStdString();
    EXPECT_TRUE(report.out.contains("Position (decimal degrees): 48.1")) << report.out.toStdString();
}
