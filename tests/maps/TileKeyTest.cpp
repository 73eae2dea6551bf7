#include "maps/TKTileAnswer.h"
#include "maps/TKTileKey.h"

#include <gtest/gtest.h>

using namespace std::chrono_literals;

TEST(TileKeyTest, ReadsOnlyPathsThatNameARealTile)
{
    const auto key = TKTileKey::fromPath("/15/17600/10743.png");
    ASSERT_TRUE(key);
    EXPECT_EQ(*key, (TKTileKey{15, 17600, 10743}));
    EXPECT_EQ(key->relativePath(), "15/17600/10743.png");
    EXPECT_EQ(TKTileKey::fromPath("0/0/0"), (TKTileKey{0, 0, 0}));
    EXPECT_EQ(TKTileKey::fromPath("22/4194303/4194303.png"), (TKTileKey{22, 4194303, 4194303}));

    for (const char *bad : {"", "/", "1/2", "1/2/3/4.png", "1/2/2.png", "1/-1/0.png", "-1/0/0", "23/0/0.png",
                            "2/+1/0", "2/1/0.jpg", "2/ 1/0", "2/1/0x", "a/b/c.png", "2//0.png", "../../etc/passwd",
                            "1/0/99999999999.png", "4/16/0.png", "4/0/16.png"})
        EXPECT_FALSE(TKTileKey::fromPath(bad)) << bad;
}

TEST(TileKeyTest, MBTilesRowsCountFromTheSouth)
{
    EXPECT_EQ((TKTileKey{0, 0, 0}).mbtilesRow(), 0u);
    EXPECT_EQ((TKTileKey{1, 0, 0}).mbtilesRow(), 1u);
    EXPECT_EQ((TKTileKey{3, 2, 5}).mbtilesRow(), 2u);
    EXPECT_EQ((TKTileKey{22, 0, 0}).mbtilesRow(), 4194303u);
    EXPECT_FALSE(TKTileKey::make(3, 8, 0));
    EXPECT_FALSE(TKTileKey::make(3, 0, -1));
}

TEST(TileKeyTest, KeptTilesAreFetchedAgainAfterAWeekAtTheEarliest)
{
    const auto now = std::chrono::system_clock::now();
    EXPECT_TRUE(TKTileIsFresh(now, now));
    EXPECT_TRUE(TKTileIsFresh(now - (kTileRefetchAfter - 1s), now));
    EXPECT_FALSE(TKTileIsFresh(now - kTileRefetchAfter, now));
    EXPECT_FALSE(TKTileIsFresh(now + 1h, now)) << "a date ahead of the clock is put right by one fetch";
}

TEST(TileKeyTest, AnswerFollowsTheSourceAndWhatIsAtHand)
{
    using Kind = TKTileSourceKind;
    const TKTileAvailability none;
    const TKTileAvailability fresh{true, true, false};
    const TKTileAvailability old{true, false, false};
    const TKTileAvailability inFile{false, false, true};

    EXPECT_EQ(TKChooseTileAnswer(Kind::Online, none), TKTileAnswer::Fetch);
    EXPECT_EQ(TKChooseTileAnswer(Kind::Online, fresh), TKTileAnswer::ServeKept);
    EXPECT_EQ(TKChooseTileAnswer(Kind::Online, old), TKTileAnswer::FetchOrServeKept);

    EXPECT_EQ(TKChooseTileAnswer(Kind::KeptOnly, none), TKTileAnswer::NotFound);
    EXPECT_EQ(TKChooseTileAnswer(Kind::KeptOnly, old), TKTileAnswer::ServeKept) << "never the network";

    EXPECT_EQ(TKChooseTileAnswer(Kind::MBTilesFile, inFile), TKTileAnswer::ServeMBTiles);
    EXPECT_EQ(TKChooseTileAnswer(Kind::MBTilesFile, old), TKTileAnswer::NotFound) << "the file alone";
}
