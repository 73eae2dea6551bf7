#include "media/VRDMedia.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

std::string timeOf(const VRDMedia &media)
{
    return std::to_string(media.year()) + "-" + std::to_string(media.month()) + "-" + std::to_string(media.day())
        + " " + std::to_string(media.hour()) + ":" + std::to_string(media.minute()) + ":"
        + std::to_string(media.second());
}

} // namespace

TEST(VRDMediaTest, ReadsPathPartsKindTimeAndCamera)
{
    const VRDMedia front("/card/Normal/alwa_20230115_143005_F.MP4");
    EXPECT_EQ(front.path(), "/card/Normal/alwa_20230115_143005_F.MP4");
    EXPECT_EQ(front.dir(), "/card/Normal");
    EXPECT_EQ(front.mediaName(), "alwa_20230115_143005_F");
    EXPECT_EQ(front.extension(), "MP4");
    EXPECT_EQ(front.fileName(), "alwa_20230115_143005_F.MP4");
    EXPECT_EQ(front.mediaGroupName(), "alwa_20230115_143005");
    EXPECT_EQ(front.yyyymmddhhmiss(), "20230115143005");
    EXPECT_EQ(timeOf(front), "2023-1-15 14:30:5");
    EXPECT_TRUE(front.isAlwaysMedia());
    EXPECT_TRUE(front.isFrontMedia());

    const VRDMedia motion("motion_20230115_143005_R.mp4");
    EXPECT_TRUE(motion.isMotionMedia());
    EXPECT_TRUE(motion.isRearMedia());
    EXPECT_EQ(motion.extension(), "mp4");
    EXPECT_EQ(motion.dir(), "");
    EXPECT_EQ(timeOf(motion), "2023-1-15 14:30:5");

    const VRDMedia inRoot("/alwa_20230115_143005_F.MP4/");
    EXPECT_EQ(inRoot.dir(), "/");
    EXPECT_EQ(inRoot.path(), "/alwa_20230115_143005_F.MP4");
    EXPECT_TRUE(inRoot.isFrontMedia());
}

TEST(VRDMediaTest, EveryEventPrefixIsAnEventAndTheSuffixAloneDecidesTheCamera)
{
    for (const char *name : {"event_20230115_143005_F.MP4", "evtA_20230115_143005_F.MP4",
             "evtF_20230115_143005_F.MP4", "evtLL_20230115_143005_F.MP4", "evtLR_20230115_143005_F.MP4"}) {
        const VRDMedia media(name);
        EXPECT_TRUE(media.isEventMedia()) << name;
        EXPECT_TRUE(media.isFrontMedia()) << name;
        EXPECT_EQ(media.yyyymmddhhmiss(), "20230115143005") << name;
    }
}

TEST(VRDMediaTest, NamesOutsideTheSchemeGiveUnknownTime)
{
    const VRDMedia unknownPrefix("abcd_20230115_143005_R.MP4");
    EXPECT_TRUE(unknownPrefix.isAlwaysMedia());
    EXPECT_EQ(unknownPrefix.yyyymmddhhmiss(), "00000000000000");
    EXPECT_TRUE(unknownPrefix.isRearMedia());

    const VRDMedia upperCasePrefix("ALWA_20230115_143005_F.MP4");
    EXPECT_EQ(upperCasePrefix.yyyymmddhhmiss(), "00000000000000");
    EXPECT_TRUE(upperCasePrefix.isFrontMedia());

    // A bad date leaves the camera unknown: the suffix is never looked at.
    const VRDMedia badMonth("alwa_20231315_143005_F.MP4");
    EXPECT_EQ(badMonth.yyyymmddhhmiss(), "00000000000000");
    EXPECT_EQ(badMonth.month(), 0);
    EXPECT_EQ(badMonth.mediaDirection(), VRDMedia::DirectionUnknown);
    EXPECT_TRUE(badMonth.isAlwaysMedia());

    // Wrong lengths are not parsed at all: kind and camera stay 0.
    for (const char *name : {"alwa_20230115_14305_F.MP4", "motion_20230115_1430055_F.MP4", "", "/"}) {
        const VRDMedia media(name);
        EXPECT_EQ(media.yyyymmddhhmiss(), "00000000000000") << name;
        EXPECT_TRUE(media.isAlwaysMedia()) << name;
        EXPECT_TRUE(media.isFrontMedia()) << name;
    }

    EXPECT_EQ(VRDMedia("alwa_20230115_143005_f.MP4").mediaDirection(), VRDMedia::DirectionUnknown);
    EXPECT_EQ(VRDMedia("alwa_20230115_143005_f.MP4").yyyymmddhhmiss(), "20230115143005");
}

TEST(VRDMediaTest, TimeFieldBoundsAreInclusiveAndSlicesAreReadLeniently)
{
    EXPECT_EQ(VRDMedia("alwa_20230115_243005_F").hour(), 24);
    EXPECT_EQ(VRDMedia("alwa_20230115_146060_F").yyyymmddhhmiss(), "20230115146060");
    EXPECT_EQ(VRDMedia("alwa_20230231_000000_F").day(), 31);
    EXPECT_EQ(VRDMedia("alwa_19700101_000000_F").year(), 1970);
    EXPECT_EQ(VRDMedia("alwa_27001231_000000_F").year(), 2700);

    for (const char *name : {"alwa_19691231_235959_F", "alwa_27010101_000000_F", "alwa_20230015_143005_F",
             "alwa_20230100_143005_F", "alwa_20230132_143005_F", "alwa_20230115_253005_F",
             "alwa_20230115_146105_F", "alwa_20230115_143061_F", "alwa_2023-115_143005_F",
             "alwa_abcdefgh_ijklmn_F"}) {
        const VRDMedia media(name);
        EXPECT_EQ(media.yyyymmddhhmiss(), "00000000000000") << name;
        EXPECT_EQ(media.mediaDirection(), VRDMedia::DirectionUnknown) << name;
    }

    // The separator is not examined; a blank or a plus sign before a digit reads as that digit.
    const VRDMedia lenient("alwa_2023 1+5X14 0 5_F");
    EXPECT_EQ(lenient.yyyymmddhhmiss(), "20230105140005");
    EXPECT_TRUE(lenient.isFrontMedia());
}

TEST(VRDMediaTest, ParsingAgainReplacesEveryField)
{
    VRDMedia media("event_20230115_143005_R.MP4");
    media.parsePath("/other/clip_01.mov");
    EXPECT_TRUE(media.isAlwaysMedia());
    EXPECT_TRUE(media.isFrontMedia());
    EXPECT_EQ(media.yyyymmddhhmiss(), "00000000000000");
    EXPECT_EQ(media.dir(), "/other");
}

TEST(VRDMediaTest, SortsByTimeThenKindThenCamera)
{
    std::vector<VRDMedia> medias{VRDMedia("alwa_20230115_143005_R.MP4"), VRDMedia("event_20230115_143005_F.MP4"),
        VRDMedia("alwa_20230115_143005_F.MP4"), VRDMedia("alwa_20230115_142959_F.MP4"),
        VRDMedia("motion_20230115_143005_R.MP4"), VRDMedia("ALWA_20230115_143005_F.MP4"),
        VRDMedia("alwa_20230115_143005_X.MP4")};
    std::sort(medias.begin(), medias.end(), [](const VRDMedia &a, const VRDMedia &b) { return a.compareDate(b) < 0; });
    std::vector<std::string> names;
    for (const VRDMedia &media : medias)
        names.emplace_back(media.mediaName());
    EXPECT_EQ(names,
        (std::vector<std::string>{"ALWA_20230115_143005_F", "alwa_20230115_142959_F", "event_20230115_143005_F",
            "motion_20230115_143005_R", "alwa_20230115_143005_F", "alwa_20230115_143005_R",
            "alwa_20230115_143005_X"}));

    const VRDMedia a("alwa_20230115_143005_F.MP4");
    const VRDMedia b("/elsewhere/alwa_20230115_143005_F.mp4");
    EXPECT_EQ(a.compareDate(b), 0);
    EXPECT_LT(a.compareDate(VRDMedia("alwa_20230115_143005_R.MP4")), 0);
    EXPECT_GT(VRDMedia("alwa_20230115_143005_R.MP4").compareDate(a), 0);
}
