#include "media/VRDMediaCatalog.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

std::shared_ptr<const VRDMedia> media(const char *path)
{
    return std::make_shared<const VRDMedia>(path);
}

} // namespace

TEST(VRDMediaCatalogTest, PairsFrontAndRearAndFindsThePairByNamePathOrGroup)
{
    VRDMediaCatalog catalog;
    const auto front = media("/card/alwa_20230115_143005_F.MP4");
    const auto rear = media("/card/Normal/alwa_20230115_143005_R.MP4");
    catalog.addMedia(front);
    catalog.addMedia(rear);

    ASSERT_EQ(catalog.count(), 2u);
    EXPECT_EQ(catalog.mediaAtIndex(0), front);
    EXPECT_EQ(catalog.mediaAtIndex(2), nullptr);
    ASSERT_EQ(catalog.mediaPairDic().size(), 1u);

    for (const char *query : {"alwa_20230115_143005_R.MP4", "/card/alwa_20230115_143005_F.mp4", "alwa_20230115_143005"}) {
        const auto pair = catalog.findMediaPairWithFileName(query);
        ASSERT_TRUE(pair.has_value()) << query;
        EXPECT_EQ(pair->frontMedia, front) << query;
        EXPECT_EQ(pair->rearMedia, rear) << query;
    }
    EXPECT_FALSE(catalog.findMediaPairWithFileName("alwa_20230115_143006_F.MP4").has_value());
    EXPECT_FALSE(catalog.findMediaPairWithFileName("").has_value());
}

TEST(VRDMediaCatalogTest, MissingSidesStayEmptyAndTheLaterMediaOfASideWins)
{
    VRDMediaCatalog catalog;
    catalog.addMedia(media("/card/event_20230115_143005_F.MP4"));
    const auto first = media("/card/A/alwa_20230115_143005_R.MP4");
    const auto second = media("/card/B/alwa_20230115_143005_R.MP4");
    catalog.addMedia(first);
    catalog.addMedia(second);
    // A bad date makes the camera unknown: the media gets a pair with no side.
    catalog.addMedia(media("/card/alwa_20231315_143005_F.MP4"));

    const auto eventPair = catalog.findMediaPairWithFileName("event_20230115_143005_F.MP4");
    ASSERT_TRUE(eventPair.has_value());
    EXPECT_NE(eventPair->frontMedia, nullptr);
    EXPECT_EQ(eventPair->rearMedia, nullptr);

    const auto alwaysPair = catalog.findMediaPairWithFileName("alwa_20230115_143005_F.MP4");
    ASSERT_TRUE(alwaysPair.has_value());
    EXPECT_EQ(alwaysPair->frontMedia, nullptr);
    EXPECT_EQ(alwaysPair->rearMedia, second);

    const auto unknownPair = catalog.findMediaPairWithFileName("alwa_20231315_143005_F.MP4");
    ASSERT_TRUE(unknownPair.has_value());
    EXPECT_EQ(unknownPair->frontMedia, nullptr);
    EXPECT_EQ(unknownPair->rearMedia, nullptr);
    EXPECT_EQ(catalog.count(), 4u);
}
