#include "PlaybackTestFixture.h"

#include "viewer/VRDStillCapture.h"

#include <QImage>

namespace {

using State = VRDMediaEngine::State;

TEST_F(PlaybackFixture, CaptureSavesTheFrameWhilePlayingAndOpensIt)
{
    VRDStillCapture &capture = app.stillCapture();
    QSignalSpy saved(&capture, &VRDStillCapture::captureSaved);
    capture.captureVideo();
    EXPECT_TRUE(player1.calls().filter("saveSnapshot").isEmpty()) << "nothing plays";

    ASSERT_TRUE(start(rowOf("alwa_20230115_143005_F.MP4")));
    QFile::remove(folder.filePath("still.png"));
    {
        QFile existing(folder.filePath("still.png"));
        ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
        existing.write("old");
    }
    dialogs->savePath = folder.filePath("still.png");
    capture.captureVideo();
    ASSERT_TRUE(saved.wait(3000));
    EXPECT_EQ(dialogs->lastProposedName, "tovik_capture.png");
    EXPECT_EQ(QImage(folder.filePath("still.png"), "JPEG").size(), QSize(320, 180))
        << "the chosen file is replaced by the JPEG";
    ASSERT_EQ(dialogs->opened.size(), 1);
    EXPECT_EQ(dialogs->opened[0].toLocalFile(), VRDStillCapture::capturePath());

    // Cancelled: the temporary picture stays, nothing else happens.
    dialogs->savePath.clear();
    capture.captureVideo();
    ASSERT_TRUE(QTest::qWaitFor([this] { return dialogs->saveQuestions == 2; }, 3000));
    EXPECT_EQ(dialogs->lastProposedName, "tovik_capture.png");
    EXPECT_TRUE(QFile::exists(VRDStillCapture::capturePath()));
    EXPECT_EQ(saved.size(), 1);

    // Paused: no capture.
    player1.driveState(State::Paused);
    capture.captureVideo();
    QTest::qWait(50);
    EXPECT_EQ(dialogs->saveQuestions, 2);
}

TEST_F(PlaybackFixture, PrintWhilePausedWritesThePdfAndAFailingPrinterIsTold)
{
    ASSERT_TRUE(start(rowOf("alwa_20230115_143005_F.MP4")));
    player1.driveState(State::Paused);
    VRDStillCapture &capture = app.stillCapture();
    QSignalSpy printed(&capture, &VRDStillCapture::printed);
    QSignalSpy failed(&capture, &VRDStillCapture::failed);

    dialogs->pdfPath = folder.filePath("still.pdf");
    capture.print();
    ASSERT_TRUE(printed.wait(5000));
    QFile pdf(dialogs->pdfPath);
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    EXPECT_TRUE(pdf.read(5).startsWith("%PDF"));

    dialogs->confirmPrint = false;
    capture.print();
    ASSERT_TRUE(QTest::qWaitFor([this] { return dialogs->printQuestions == 2; }, 3000));
    EXPECT_EQ(printed.size(), 1) << "a cancelled dialog prints nothing";

    dialogs->confirmPrint = true;
    dialogs->pdfPath = folder.filePath("no-such-folder/still.pdf");
    capture.print();
    ASSERT_TRUE(failed.wait(3000));
    EXPECT_EQ(printed.size(), 1);
}

} // namespace
