#include "media/VRDMediaList.h"

#include "RecordingTree.h"

#include <gtest/gtest.h>

#include <memory>
#include <utility>
#include <vector>

namespace {

// Keeps each walk until the test runs it, so walks can finish in any order.
class HeldWalkRunner final : public VRDMediaWalkRunner {
public:
    void run(Walk walk, Deliver deliver) override { m_held.push_back({std::move(walk), std::move(deliver)}); }

    std::size_t held() const { return m_held.size(); }
    // Runs the walk and delivers its result; answers how many recordings it found.
    std::size_t finish(std::size_t index)
    {
        VRDMediaCatalog catalog = m_held.at(index).first();
        const std::size_t found = catalog.count();
        m_held.at(index).second(std::move(catalog));
        return found;
    }

private:
    std::vector<std::pair<Walk, Deliver>> m_held;
};

class CountingDelegate final : public VRDMediaListDelegate {
public:
    void mediaListChanged(VRDMediaList &mediaList) override
    {
        ++calls;
        lastCount = mediaList.count();
    }

    int calls = 0;
    std::size_t lastCount = 0;
};

struct TwoCards {
    RecordingTree first;
    RecordingTree second;

    TwoCards()
    {
        first.touch("alwa_20230115_143005_F.MP4");
        second.touch("alwa_20230115_143005_F.MP4");
        second.touch("alwa_20230115_143005_R.MP4");
    }
};

} // namespace

TEST(VRDMediaListTest, TakesAWalkAtOnceAndTellsTheDelegate)
{
    TwoCards cards;
    HeldWalkRunner runner;
    CountingDelegate delegate;
    VRDMediaList list(runner);
    list.setDelegate(&delegate);

    list.setDirectoryPath(cards.second.path());
    EXPECT_EQ(list.directoryPath(), cards.second.path());
    EXPECT_EQ(list.count(), 0u);
    runner.finish(0);
    EXPECT_EQ(delegate.calls, 1);
    EXPECT_EQ(delegate.lastCount, 2u);
    ASSERT_NE(list.mediaAtIndex(0), nullptr);
    EXPECT_TRUE(list.mediaAtIndex(0)->isFrontMedia());
    EXPECT_EQ(list.mediaAtIndex(2), nullptr);
    const auto pair = list.findMediaPairWithFileName("alwa_20230115_143005_F.MP4");
    ASSERT_TRUE(pair.has_value());
    EXPECT_EQ(pair->rearMedia, list.mediaAtIndex(1));

    // A new folder empties the list when its walk begins; an empty path only stores.
    list.setDirectoryPath(cards.first.path());
    EXPECT_EQ(list.count(), 0u);
    list.setDirectoryPath("");
    EXPECT_EQ(list.directoryPath(), "");
    EXPECT_EQ(runner.held(), 2u);
}

TEST(VRDMediaListTest, AWalkOvertakenByALaterFolderIsDropped)
{
    TwoCards cards;
    for (const bool staleFinishesFirst : {true, false}) {
        HeldWalkRunner runner;
        CountingDelegate delegate;
        VRDMediaList list(runner);
        list.setDelegate(&delegate);
        list.setDirectoryPath(cards.first.path());
        list.setDirectoryPath(cards.second.path());

        // The overtaken walk was told to stop, so it finds nothing.
        EXPECT_EQ(runner.finish(staleFinishesFirst ? 0 : 1), staleFinishesFirst ? 0u : 2u);
        EXPECT_EQ(runner.finish(staleFinishesFirst ? 1 : 0), staleFinishesFirst ? 2u : 0u);
        EXPECT_EQ(delegate.calls, 1) << staleFinishesFirst;
        EXPECT_EQ(list.count(), 2u) << staleFinishesFirst;
        EXPECT_EQ(list.catalog().directoryPath(), cards.second.path()) << staleFinishesFirst;
    }
}

TEST(VRDMediaListTest, AWalkEndingAfterTheLibraryIsGoneIsDropped)
{
    TwoCards cards;
    HeldWalkRunner runner;
    CountingDelegate delegate;
    {
        VRDMediaList list(runner);
        list.setDelegate(&delegate);
        list.setDirectoryPath(cards.first.path());
    }
    EXPECT_EQ(runner.finish(0), 0u);
    EXPECT_EQ(delegate.calls, 0);
}
