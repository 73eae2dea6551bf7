#pragma once

#include "FakeMediaEngine.h"
#include "FakePlaybackView.h"
#include "InlineMediaWalkRunner.h"
#include "viewer/VRDDualPlaybackController.h"
#include "viewer/VRDPlayInfo.h"
#include "media/VRDPlaylist.h"
#include "media/VRDMediaList.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

// The playback controller alone, with a scripted engine and view, on a folder of empty
// recordings: two front/rear pairs (A older, B newer) and a front file without twin (C).
struct PlaybackControllerFixture : ::testing::Test {
    PlaybackControllerFixture()
    {
        for (const char *name : {"alwa_20230115_143005_F.MP4", "alwa_20230115_143005_R.MP4",
                                 "alwa_20230115_143105_F.MP4", "alwa_20230115_143105_R.MP4",
                                 "alwa_20230115_143205_F.MP4"}) {
            QFile file(folder.filePath(QString::fromLatin1(name)));
            EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        }
        mediaList.setDirectoryPath(folder.path().toStdString());
        EXPECT_EQ(mediaList.count(), 5u);
        engine.setLength(60000);
        engine.setVideoSize(QSize(320, 180));
        engine.setAnswersRequests(true);
        playback.setVolume(VRDDualPlaybackController::kInitialVolume);
    }

    qint64 rowOf(const char *name)
    {
        for (std::size_t row = 0; row < mediaList.count(); ++row) {
            if (mediaList.mediaAtIndex(row)->fileName() == name)
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

    QString fileName(VRDMediaEngine::View view = VRDMediaEngine::View::Main) const
    {
        return engine.media(view).section('/', -1);
    }

    static QString folderTemplate()
    {
        const QString root = QString::fromLocal8Bit(qgetenv("TOVIK_TEST_TMP"));
        QDir().mkpath(root);
        return root + "/playback-XXXXXX";
    }

    QTemporaryDir folder{folderTemplate()};
    InlineMediaWalkRunner walkRunner;
    VRDMediaList mediaList{walkRunner};
    VRDPlaylist playlist{mediaList};
    VRDPlayInfo playInfo;
    FakeMediaEngine engine;
    FakePlaybackView view;
    VRDDualPlaybackController playback{engine, playlist, playInfo, view};
};
