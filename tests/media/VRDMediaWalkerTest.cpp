#include "media/VRDMediaWalker.h"

#include "RecordingTree.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <stop_token>
#include <string>
#include <vector>

namespace {

std::vector<std::string> relativePaths(const RecordingTree &tree, const VRDMediaCatalog &catalog)
{
    std::vector<std::string> paths;
    const std::string prefix = tree.path() + "/";
    for (const auto &media : catalog.medias())
        paths.push_back(media->path().substr(prefix.size()));
    return paths;
}

} // namespace

TEST(VRDMediaWalkerTest, GathersNamedRecordingsFromEveryDepthInSortedOrder)
{
    RecordingTree tree;
    tree.touch("alwa_20230115_143005_R.MP4");
    tree.touch("Normal/alwa_20230115_143005_F.mp4");
    tree.touch("Normal/2023/01/15/event_20230115_143005_F.MP4");
    tree.touch("Normal/2023/01/15/alwa_20230115_142959_F.mP4");
    tree.touch("ALWA_20230115_143005_F.MP4");
    tree.touch("._alwa_20230115_143005_F.MP4");
    tree.touch("Motion/motion_20230116_080000_R.mp4");
    // Skipped: other extension, bad suffix, short name, no extension, a folder named like a recording.
    tree.touch("alwa_20230115_143005_F.mov");
    tree.touch("alwa_20230115_143005_X.MP4");
    tree.touch("alwa_20230115_14305_F.MP4");
    tree.touch("alwa_20230115_143005_F");
    tree.touch("config.bin");
    tree.touch("alwa_20230115_150000_F.MP4/inside.txt");
    tree.touch("odd name with spaces é.MP4");

    const VRDMediaCatalog catalog = VRDMediaWalker::walk(tree.path() + "/");
    EXPECT_TRUE(catalog.directoryListed());
    EXPECT_EQ(catalog.directoryPath(), tree.path() + "/");
    const std::vector<std::string> paths = relativePaths(tree, catalog);
    ASSERT_EQ(paths.size(), 7u);
    // The two undated names sort first, among themselves in no fixed order.
    EXPECT_EQ(std::vector<std::string>(paths.begin() + 2, paths.end()),
        (std::vector<std::string>{"Normal/2023/01/15/alwa_20230115_142959_F.mP4",
            "Normal/2023/01/15/event_20230115_143005_F.MP4", "Normal/alwa_20230115_143005_F.mp4",
            "alwa_20230115_143005_R.MP4", "Motion/motion_20230116_080000_R.mp4"}));

    const auto pair = catalog.findMediaPairWithFileName("alwa_20230115_143005_F.MP4");
    ASSERT_TRUE(pair.has_value());
    ASSERT_NE(pair->frontMedia, nullptr);
    ASSERT_NE(pair->rearMedia, nullptr);
    EXPECT_EQ(pair->frontMedia->path(), tree.path("Normal/alwa_20230115_143005_F.mp4"));
    EXPECT_EQ(pair->rearMedia->path(), tree.path("alwa_20230115_143005_R.MP4"));

    const auto hidden = catalog.findMediaPairWithFileName("._alwa_20230115_143005_F.MP4");
    ASSERT_TRUE(hidden.has_value());
    EXPECT_NE(hidden->frontMedia, nullptr);
    EXPECT_EQ(hidden->rearMedia, nullptr);
    EXPECT_EQ(catalog.mediaPairDic().size(), 6u);
}

TEST(VRDMediaWalkerTest, SameNameInTwoFoldersGivesTwoRowsAndThePairHoldsTheLaterOne)
{
    RecordingTree tree;
    tree.touch("A/alwa_20230115_143005_F.MP4");
    tree.touch("B/alwa_20230115_143005_F.MP4");

    const VRDMediaCatalog catalog = VRDMediaWalker::walk(tree.path());
    ASSERT_EQ(catalog.count(), 2u);
    const auto pair = catalog.findMediaPairWithFileName("alwa_20230115_143005_F.MP4");
    ASSERT_TRUE(pair.has_value());
    EXPECT_EQ(pair->frontMedia, catalog.mediaAtIndex(1));
}

TEST(VRDMediaWalkerTest, FollowsLinksButWalksEveryFolderOnce)
{
    RecordingTree tree;
    tree.touch("card/Normal/alwa_20230115_143005_F.MP4");
    tree.touch("elsewhere/alwa_20230115_143005_R.MP4");
    tree.link("..", "card/Normal/back-to-card");
    tree.link(tree.path("card"), "card/Normal/absolute-loop");
    tree.link("Normal", "card/same-as-normal");
    tree.link("../elsewhere", "card/linked");
    tree.link("missing", "card/dangling");
    tree.link("Normal/alwa_20230115_143005_F.MP4", "card/event_20230115_143005_F.MP4");

    const VRDMediaCatalog catalog = VRDMediaWalker::walk(tree.path("card"));
    std::vector<std::string> names;
    for (const auto &media : catalog.medias())
        names.emplace_back(media->mediaName());
    EXPECT_EQ(names, (std::vector<std::string>{"event_20230115_143005_F", "alwa_20230115_143005_F",
                         "alwa_20230115_143005_R"}));
}

TEST(VRDMediaWalkerTest, AFolderThatCannotBeListedGivesAnEmptyUnlistedCatalog)
{
    RecordingTree tree;
    tree.touch("alwa_20230115_143005_F.MP4");
    for (const std::string &path : {tree.path("missing"), tree.path("alwa_20230115_143005_F.MP4"), std::string()}) {
        const VRDMediaCatalog catalog = VRDMediaWalker::walk(path);
        EXPECT_FALSE(catalog.directoryListed()) << path;
        EXPECT_EQ(catalog.count(), 0u) << path;
    }
}

TEST(VRDMediaWalkerTest, AStoppedWalkEndsWithoutGathering)
{
    RecordingTree tree;
    tree.touch("alwa_20230115_143005_F.MP4");
    std::stop_source stop;
    stop.request_stop();
    const VRDMediaCatalog catalog = VRDMediaWalker::walk(tree.path(), stop.get_token());
    EXPECT_EQ(catalog.count(), 0u);
}

TEST(VRDMediaWalkerTest, AcceptanceLooksAtLengthAndSuffixOnly)
{
    EXPECT_NE(VRDMediaWalker::createMediaByPath("/card/abcdefghijklmnopqrst_R.MP4"), nullptr);
    EXPECT_NE(VRDMediaWalker::createMediaByPath("/card/motion_20230115_143005_R.MP4"), nullptr);
    EXPECT_NE(VRDMediaWalker::createMediaByPath("/card/alwa_20231315_143005_F.MP4"), nullptr);
    EXPECT_EQ(VRDMediaWalker::createMediaByPath("/card/alwa_20230115_143005_r.MP4"), nullptr);
    EXPECT_EQ(VRDMediaWalker::createMediaByPath("/card/motion_20230115_1430055_R.MP4"), nullptr);
    EXPECT_EQ(VRDMediaWalker::createMediaByPath(""), nullptr);
}

TEST(VRDMediaWalkerTest, StopsTakingRecordingsAtTheLimit)
{
    RecordingTree tree;
    const std::string folder = tree.path("DCIM/Normal");
    tree.touch("DCIM/Normal/alwa_20230101_000000_F.MP4");
    const std::size_t files = VRDMediaWalker::kMediaLimit + 5;
    for (std::size_t i = 1; i < files; ++i) {
        char name[64];
        std::snprintf(name, sizeof name, "/alwa_2023%02zu%02zu_%06zu_R.MP4", 1 + i / 3100 % 12, 1 + i % 28, i % 240000);
        const int fd = ::open((folder + name).c_str(), O_CREAT | O_WRONLY | O_CLOEXEC, 0644);
        ASSERT_GE(fd, 0) << name;
        ::close(fd);
    }
    // The enclosing folder goes on after its subfolder has stopped and adds
    // at most one more recording.
    tree.touch("DCIM/event_20990101_000000_F.MP4");

    const VRDMediaCatalog catalog = VRDMediaWalker::walk(tree.path());
    EXPECT_GE(catalog.count(), VRDMediaWalker::kMediaLimit);
    EXPECT_LE(catalog.count(), VRDMediaWalker::kMediaLimit + 1);
    for (std::size_t i = 1; i < catalog.count(); ++i)
        ASSERT_LE(catalog.mediaAtIndex(i - 1)->compareDate(*catalog.mediaAtIndex(i)), 0) << i;
}

TEST(VRDMediaWalkerTest, ARecoveredRecordingTakesThePlaceOfItsCutOffOriginal)
{
    RecordingTree tree;
    tree.touch("EVENT/event_20230115_143005_F.MP4");
    tree.touch("EVENT/event_20230115_143005_R.MP4");
    tree.touch("EVENT/RECOVERED/event_20230115_143005_F.MP4");
    // Recovered elsewhere than beside its original: both stay.
    tree.touch("RECOVERED/alwa_20230115_143000_F.MP4");
    tree.touch("Normal/alwa_20230115_143000_F.MP4");

    const VRDMediaCatalog catalog = VRDMediaWalker::walk(tree.path());
    std::vector<std::string> paths = relativePaths(tree, catalog);
    // The two always-on files compare equal and come in the folder's order.
    std::sort(paths.begin(), paths.begin() + 2);
    EXPECT_EQ(paths, (std::vector<std::string>{"Normal/alwa_20230115_143000_F.MP4", "RECOVERED/alwa_20230115_143000_F.MP4",
                                               "EVENT/RECOVERED/event_20230115_143005_F.MP4",
                                               "EVENT/event_20230115_143005_R.MP4"}));
    const auto pair = catalog.findMediaPairWithFileName("event_20230115_143005_F.MP4");
    ASSERT_TRUE(pair);
    EXPECT_EQ(pair->frontMedia->path(), tree.path("EVENT/RECOVERED/event_20230115_143005_F.MP4"));
    EXPECT_EQ(pair->rearMedia->path(), tree.path("EVENT/event_20230115_143005_R.MP4"));
}
