#include "media/VRDMediaList.h"
#include "viewer/VRDConcurrentMediaWalkRunner.h"

#include "CoreApplicationTest.h"
#include "RecordingTree.h"

#include <QCoreApplication>
#include <QThread>
#include <QThreadPool>
#include <QtTest/QTest>

#include <gtest/gtest.h>

#include <memory>

namespace {

class ThreadRecordingDelegate final : public VRDMediaListDelegate {
public:
    void mediaListChanged(VRDMediaList &mediaList) override
    {
        ++calls;
        count = mediaList.count();
        thread = QThread::currentThread();
    }

    int calls = 0;
    std::size_t count = 0;
    QThread *thread = nullptr;
};

using VRDConcurrentMediaWalkRunnerTest = CoreApplicationTest;

} // namespace

TEST_F(VRDConcurrentMediaWalkRunnerTest, DeliversTheLastFolderOnTheContextThread)
{
    RecordingTree first;
    first.touch("alwa_20230115_143005_F.MP4");
    RecordingTree second;
    second.touch("Normal/alwa_20230115_143005_F.MP4");
    second.touch("Normal/alwa_20230115_143005_R.MP4");

    QObject context;
    VRDConcurrentMediaWalkRunner runner(&context);
    ThreadRecordingDelegate delegate;
    VRDMediaList list(runner);
    list.setDelegate(&delegate);
    list.setDirectoryPath(first.path());
    list.setDirectoryPath(second.path());

    EXPECT_TRUE(QTest::qWaitFor([&] { return delegate.calls > 0; }, 10000));
    QThreadPool::globalInstance()->waitForDone();
    QCoreApplication::processEvents();
    EXPECT_EQ(delegate.calls, 1);
    EXPECT_EQ(delegate.count, 2u);
    EXPECT_EQ(delegate.thread, QThread::currentThread());
}

TEST_F(VRDConcurrentMediaWalkRunnerTest, DeliversNothingOnceTheContextIsGone)
{
    RecordingTree tree;
    tree.touch("alwa_20230115_143005_F.MP4");
    auto context = std::make_unique<QObject>();
    VRDConcurrentMediaWalkRunner runner(context.get());
    ThreadRecordingDelegate delegate;
    VRDMediaList list(runner);
    list.setDelegate(&delegate);
    list.setDirectoryPath(tree.path());
    context.reset();

    QThreadPool::globalInstance()->waitForDone();
    QCoreApplication::processEvents();
    list.setDirectoryPath(tree.path());
    QCoreApplication::processEvents();
    EXPECT_EQ(delegate.calls, 0);
}
