#include "media/VRDMediaPathDirection.h"

#include <gtest/gtest.h>

TEST(VRDMediaPathDirectionTest, NeedsTheMp4ExtensionAndIgnoresCase)
{
    EXPECT_EQ(VRDMediaDirectionOfPath("/card/x_r.mp4"), 1);
    EXPECT_EQ(VRDMediaDirectionOfPath("/card/alwa_20230115_143005_R.MP4"), 1);
    EXPECT_EQ(VRDMediaDirectionOfPath("/card/x_f.Mp4"), 0);
    EXPECT_TRUE(VRDIsFrontMediaPath("_F.MP4"));
    EXPECT_TRUE(VRDIsRearMediaPath("a_R.mp4"));
    EXPECT_FALSE(VRDIsFrontMediaPath("a_R.mp4"));

    for (const char *path : {"/card/x_F.MOV", "", "_F.MP", "/card/x_X.MP4", "/card/x_F.MP4/", "F.MP4"})
        EXPECT_EQ(VRDMediaDirectionOfPath(path), 2) << path;
}
