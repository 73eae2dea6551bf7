// Which recordings and seconds a clip covers, with names given in memory
// and durations from a table instead of files.
#include "export/VRDClipName.h"
#include "export/VRDClipPlanner.h"

#include <gtest/gtest.h>

#include <map>

namespace {

class Card {
public:
    Card &add(const std::string &name, double seconds)
    {
        m_catalog.addMedia(VRDMedia::mediaWithPath("/card/" + name));
        m_durations["/card/" + name] = seconds;
        return *this;
    }

    VRDClipPlanner planner() const
    {
        return VRDClipPlanner(m_catalog, [this](const std::string &path) -> std::optional<double> {
            const auto found = m_durations.find(path);
            return found == m_durations.end() ? std::nullopt : std::optional<double>(found->second);
        });
    }

private:
    VRDMediaCatalog m_catalog;
    std::map<std::string, double> m_durations;
};

std::vector<std::string> paths(const VRDClipChannel &channel)
{
    std::vector<std::string> out;
    for (const VRDClipSegment &segment : channel.segments)
        out.push_back(segment.path);
    return out;
}

} // namespace

TEST(ClipPlanner, ClipRunsIntoTheNextRecordingOfTheSameCameraWithItsTwins)
{
    Card card;
    card.add("alwa_20240315_081200_F.MP4", 10.0).add("alwa_20240315_081200_R.MP4", 9.9);
    card.add("alwa_20240315_081210_F.MP4", 10.0).add("alwa_20240315_081210_R.MP4", 10.0);
    const VRDClipPlanner planner = card.planner();
    const VRDClipPlanner::Result result = planner.plan("/card/alwa_20240315_081200_F.MP4", 8.5, 12.0);
    ASSERT_TRUE(result.clip) << result.error;
    const VRDClip &clip = *result.clip;
    EXPECT_EQ(clip.groupName, "alwa_20240315_081208");
    ASSERT_EQ(clip.channels.size(), 2u);
    const VRDClipChannel &front = *clip.channel(true);
    EXPECT_EQ(paths(front), (std::vector<std::string>{"/card/alwa_20240315_081200_F.MP4", "/card/alwa_20240315_081210_F.MP4"}));
    EXPECT_DOUBLE_EQ(front.segments[0].from, 8.5);
    EXPECT_DOUBLE_EQ(front.segments[0].to, 10.0);
    EXPECT_DOUBLE_EQ(front.segments[1].from, 0.0);
    EXPECT_DOUBLE_EQ(front.segments[1].to, 2.0);
    EXPECT_DOUBLE_EQ(front.segments[1].chainStart, 10.0);
    // The rear twin is a little shorter: its share ends where it ends.
    const VRDClipChannel &rear = *clip.channel(false);
    EXPECT_EQ(paths(rear), (std::vector<std::string>{"/card/alwa_20240315_081200_R.MP4", "/card/alwa_20240315_081210_R.MP4"}));
    EXPECT_DOUBLE_EQ(rear.segments[0].to, 9.9);
    EXPECT_DOUBLE_EQ(rear.segments[1].chainStart, 10.0);

    // Chosen from the rear file: the same recordings, front still first.
    const VRDClipPlanner::Result fromRear = planner.plan("/card/alwa_20240315_081200_R.MP4", 1.0, 2.0);
    ASSERT_TRUE(fromRear.clip) << fromRear.error;
    EXPECT_EQ(fromRear.clip->groupName, "alwa_20240315_081201");
    EXPECT_TRUE(fromRear.clip->channels.front().front);
}

TEST(ClipPlanner, OnlyARecordingWithinTwoSecondsOfTheEndIsJoined)
{
    Card card;
    card.add("alwa_20240315_081200_F.MP4", 10.0).add("alwa_20240315_081212_F.MP4", 10.0);
    card.add("alwa_20240315_081225_F.MP4", 10.0);
    const VRDClipPlanner planner = card.planner();
    // The second starts 2 s after the first ends, the third 3 s after the second.
    const VRDClipPlanner::Result joined = planner.plan("/card/alwa_20240315_081200_F.MP4", 5, 19);
    ASSERT_TRUE(joined.clip) << joined.error;
    ASSERT_EQ(joined.clip->channels.size(), 1u) << "no rear files, no twin channel";
    EXPECT_EQ(joined.clip->channels.front().segments.size(), 2u);
    const VRDClipPlanner::Result gap = planner.plan("/card/alwa_20240315_081200_F.MP4", 5, 20.5);
    ASSERT_FALSE(gap.clip);
    EXPECT_NE(gap.error.find("past the end"), std::string::npos) << gap.error;
}

TEST(ClipPlanner, RefusesBadRangesAndFilesNotOfTheCamera)
{
    Card card;
    card.add("event_20240315_081230_F.MP4", 10.0);
    const VRDClipPlanner planner = card.planner();
    for (const auto &[from, to] : std::vector<std::pair<double, double>>{{6, 6}, {6, 2}, {-1, 2}, {10, 12}, {2, 10.5}}) {
        const VRDClipPlanner::Result result = planner.plan("/card/event_20240315_081230_F.MP4", from, to);
        EXPECT_FALSE(result.clip) << from << " to " << to;
        EXPECT_NE(result.error.find("bad range"), std::string::npos) << result.error;
    }
    EXPECT_TRUE(planner.plan("/card/event_20240315_081230_F.MP4", 0, 10).clip);
    EXPECT_FALSE(planner.plan("/card/holiday.MP4", 0, 1).clip);
    EXPECT_FALSE(planner.plan("/card/event_20240315_081230_X.MP4", 0, 1).clip);
}

TEST(ClipPlanner, TwinMissingForAJoinedRecordingDropsTheTwinChannel)
{
    Card card;
    card.add("alwa_20240315_081200_F.MP4", 10.0).add("alwa_20240315_081200_R.MP4", 10.0);
    card.add("alwa_20240315_081210_F.MP4", 10.0);
    const VRDClipPlanner::Result result = card.planner().plan("/card/alwa_20240315_081200_F.MP4", 8, 12);
    ASSERT_TRUE(result.clip);
    ASSERT_EQ(result.clip->channels.size(), 1u);
    EXPECT_TRUE(result.clip->channels.front().front);
}

TEST(ClipPlanner, StretchReachesBackIntoTheRecordingsBefore)
{
    Card card;
    card.add("alwa_20240315_081150_F.MP4", 10.0).add("motion_20240315_081200_F.MP4", 10.0);
    card.add("event_20240315_081210_F.MP4", 10.0).add("alwa_20240315_081220_F.MP4", 10.0);
    const std::vector<VRDClipSegment> around = card.planner().stretch("/card/event_20240315_081210_F.MP4", 4 - 30, 4 + 30);
    ASSERT_EQ(around.size(), 4u);
    EXPECT_DOUBLE_EQ(around[0].chainStart, -20.0);
    EXPECT_DOUBLE_EQ(around[0].from, 0.0);
    EXPECT_DOUBLE_EQ(around[1].chainStart, -10.0);
    EXPECT_DOUBLE_EQ(around[3].chainStart, 10.0);
    EXPECT_DOUBLE_EQ(around[3].to, 10.0);
}

TEST(ClipName, StartTimeCarriesOverMinutesDaysAndYears)
{
    const VRDMedia media("/card/evtLL_20241231_235959_R.MP4");
    const std::optional<long long> start = VRDClipName::localStart(media);
    ASSERT_TRUE(start);
    EXPECT_EQ(VRDClipName::groupNameAt(media, *start + 2), "evtLL_20250101_000001");
    EXPECT_EQ(VRDClipName::dateTimeText(*start), "2024-12-31 23:59:59");
    EXPECT_FALSE(VRDClipName::localStart(VRDMedia("/card/alwa_20231315_143005_F.MP4")));
}
