// Marking a clip on the position slider and exporting it from the dialog,
// with a scripted engine on a generated card; the export itself is real.
#include "../export/ExportDemoCard.h"
#include "FakeMediaEngine.h"
#include "Screenshot.h"

#include "viewer/TKClipMarksOverlay.h"
#include "viewer/VRDClipExportController.h"
#include "viewer/VRDExportDialog.h"
#include "viewer/VRDPlayInfo.h"

#include <gtest/gtest.h>

#include <QBoxLayout>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QTest>
#include <QToolButton>

namespace {

class ClipExportWindow {
public:
    ClipExportWindow()
    {
        auto *layout = new QVBoxLayout(&window);
        slider = new QSlider(Qt::Horizontal);
        slider->setRange(0, 1000);
        layout->addWidget(slider);
        window.resize(640, 60);
        player.setMedia(ExportDemoCard::instance().path("event_20240315_081212_F.MP4"));
        player.setLength(4000);
        controller = new VRDClipExportController(window, *slider, player, playInfo);
        window.show();
        window.activateWindow();
        // Shortcuts reach only the active window.
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
    }

    QToolButton *button(const char *name) { return window.findChild<QToolButton *>(name); }

    QWidget window;
    QSlider *slider = nullptr;
    FakeMediaEngine player;
    VRDPlayInfo playInfo;
    VRDClipExportController *controller = nullptr;
};

QString freshFolder(const QString &name)
{
    const QString path = qEnvironmentVariable("TOVIK_TEST_TMP") + "/" + name;
    QDir(path).removeRecursively();
    return path;
}

} // namespace

TEST(ClipExportController, KeysAndButtonsMarkTheClipOnTheSliderAndAnotherRecordingDropsThem)
{
    ASSERT_TRUE(ExportDemoCard::instance().ok());
    ClipExportWindow w;
    auto *overlay = w.slider->findChild<TKClipMarksOverlay *>();
    ASSERT_NE(overlay, nullptr);
    EXPECT_FALSE(overlay->isVisible());
    QMenu *menu = w.button("exportButton")->menu();
    ASSERT_NE(menu, nullptr);
    ASSERT_EQ(menu->actions().size(), 2);
    EXPECT_FALSE(menu->actions()[0]->isEnabled()) << "nothing marked yet";
    EXPECT_TRUE(menu->actions()[1]->isEnabled()) << "around now needs only a recording";

    w.player.driveTime(3000);
    QTest::keyClick(&w.window, Qt::Key_I);
    w.player.driveTime(1000);
    w.button("markOutButton")->click();
    ASSERT_TRUE(w.controller->marks().range());
    EXPECT_EQ(*w.controller->marks().range(), std::make_pair(1.0, 3.0)) << "out before in is the same clip";
    EXPECT_TRUE(overlay->isVisible());
    EXPECT_TRUE(menu->actions()[0]->isEnabled());
    EXPECT_TRUE(saveScreenshot(w.window, "clip_marks"));

    w.player.setMedia(ExportDemoCard::instance().path("evtA_20240315_081216_F.MP4"));
    w.playInfo.setPosition(0.1);
    EXPECT_FALSE(w.controller->marks().in());
    EXPECT_FALSE(overlay->isVisible());
}

TEST(ClipExportController, DialogExportsTheMarkedClipOffTheMainThreadAndCancelLeavesNothing)
{
    ASSERT_TRUE(ExportDemoCard::instance().ok());
    ClipExportWindow w;
    w.player.driveTime(1500);
    w.controller->markIn();
    w.player.driveTime(3500);
    w.controller->markOut();
    w.controller->exportMarked();
    VRDExportDialog *dialog = w.controller->dialog();
    ASSERT_NE(dialog, nullptr);
    const QString out = freshFolder("dialog-export");
    dialog->findChild<QLineEdit *>("folderField")->setText(out);
    dialog->findChild<QPushButton *>("exportButton")->click();
    EXPECT_TRUE(dialog->isExporting());
    QTRY_VERIFY_WITH_TIMEOUT(!dialog->isExporting(), 120000);
    EXPECT_TRUE(dialog->outcome().ok) << dialog->outcome().error;
    EXPECT_EQ(dialog->outcome().written.size(), 7u);
    EXPECT_TRUE(QFileInfo::exists(out + "/event_20240315_081213_F.MP4"));
    EXPECT_TRUE(QFileInfo::exists(out + "/event_20240315_081213_report.pdf"));
    EXPECT_TRUE(saveScreenshot(*dialog, "clip_export_dialog"));

    // Around now: 15 s either side of 2.0 s at first, then 1 s; cancelled at once.
    w.player.driveTime(2000);
    w.controller->exportAroundNow();
    dialog = w.controller->dialog();
    ASSERT_NE(dialog, nullptr);
    auto *clip = dialog->findChild<QLabel *>("clipLabel");
    EXPECT_TRUE(clip->text().contains("from 0:00.0 to 0:17.0")) << clip->text().toStdString();
    dialog->findChild<QSpinBox *>("aroundSpin")->setValue(1);
    EXPECT_TRUE(clip->text().contains("from 0:01.0 to 0:03.0")) << clip->text().toStdString();
    const QString cancelled = freshFolder("dialog-cancel");
    dialog->findChild<QLineEdit *>("folderField")->setText(cancelled);
    dialog->findChild<QPushButton *>("exportButton")->click();
    dialog->findChild<QPushButton *>("cancelButton")->click();
    QTRY_VERIFY_WITH_TIMEOUT(!dialog->isExporting(), 120000);
    EXPECT_FALSE(dialog->outcome().ok);
    EXPECT_EQ(dialog->outcome().error, "cancelled");
    EXPECT_TRUE(QDir(cancelled).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot).isEmpty());
}
