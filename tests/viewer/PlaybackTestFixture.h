#pragma once

#include "FakeMediaEngine.h"
#include "media/VRDMediaList.h"
#include "viewer/VRDAppDelegate.h"
#include "viewer/VRDCaptureDialogs.h"
#include "viewer/VRDDualPlaybackController.h"

#include <QDir>
#include <QFile>
#include <QPrinter>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>
#include <gtest/gtest.h>

// Answers the capture dialogs as a test tells it to.
class ScriptedCaptureDialogs final : public VRDCaptureDialogs
{
public:
    QString askSavePath(QWidget *, const QString &directory, const QString &proposedName) override
    {
        ++saveQuestions;
        lastProposedName = proposedName;
        lastDirectory = directory;
        return savePath;
    }
    bool askPrint(QWidget *, QPrinter &printer) override
    {
        ++printQuestions;
        if (!pdfPath.isEmpty()) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(pdfPath);
        }
        return confirmPrint;
    }
    bool openInViewer(const QUrl &url) override
    {
        opened.append(url);
        return true;
    }

    QString savePath;
    QString pdfPath;
    bool confirmPrint = true;
    int saveQuestions = 0;
    int printQuestions = 0;
    QString lastProposedName;
    QString lastDirectory;
    QList<QUrl> opened;
};

// The main window with a scripted engine on a folder of empty recordings: two
// front/rear pairs (A older, B newer) and a front file without twin (C).
struct PlaybackFixture : ::testing::Test {
    static VRDAppDelegate::Options options(std::shared_ptr<ScriptedCaptureDialogs> dialogs)
    {
        VRDAppDelegate::Options options;
        options.loadMapPage = false;
        options.makeEngine = [](VRDScrollableVideoContainerView &, VRDScrollableVideoContainerView &) {
            return std::make_unique<FakeMediaEngine>();
        };
        options.captureDialogs = std::move(dialogs);
        return options;
    }

    PlaybackFixture()
    {
        for (const char *name : {"alwa_20230115_143005_F.MP4", "alwa_20230115_143005_R.MP4",
                                 "alwa_20230115_143105_F.MP4", "alwa_20230115_143105_R.MP4",
                                 "alwa_20230115_143205_F.MP4"}) {
            QFile file(folder.filePath(QString::fromLatin1(name)));
            EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        }
        app.applicationDidFinishLaunching();
        app.window().show();
        app.openMediaDirectory(folder.path());
        EXPECT_TRUE(QTest::qWaitFor([this] { return app.mediaList().count() == 5; }, 5000));
        player1.setLength(60000);
        player1.setVideoSize(QSize(320, 180));
        player1.setAnswersRequests(true);
    }

    qint64 rowOf(const char *name)
    {
        for (std::size_t row = 0; row < app.mediaList().count(); ++row) {
            if (app.mediaList().mediaAtIndex(row)->fileName() == name)
                return static_cast<qint64>(row);
        }
        ADD_FAILURE() << name << " is not listed";
        return -1;
    }

    // Starts the row and waits for the engine to play.
    bool start(qint64 row)
    {
        QSignalSpy started(&playback, &VRDDualPlaybackController::playbackStarted);
        if (!playback.playAtIndex(row))
            return false;
        return started.wait(3000) || !started.isEmpty();
    }

    static QString fileName(const FakeMediaEngine &engine)
    {
        return engine.media().section('/', -1);
    }

    static QString folderTemplate()
    {
        const QString root = QString::fromLocal8Bit(qgetenv("TOVIK_TEST_TMP"));
        QDir().mkpath(root);
        return root + "/playback-XXXXXX";
    }

    QTemporaryDir folder{folderTemplate()};
    std::shared_ptr<ScriptedCaptureDialogs> dialogs = std::make_shared<ScriptedCaptureDialogs>();
    VRDAppDelegate app{options(dialogs)};
    VRDDualPlaybackController &playback = app.playback();
    FakeMediaEngine &player1 = static_cast<FakeMediaEngine &>(app.engine());
};
