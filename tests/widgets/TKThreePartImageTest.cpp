#include "widgets/TKImageButtonCell.h"
#include "widgets/TKThreePartImageView.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

TEST(TKThreePartImage, EndsKeepTheirWidthAndTheMiddleStretches)
{
    const auto parts = TKThreePartImage::layout(QRectF(10, 5, 200, 36), 8, 6);
    EXPECT_EQ(parts[0], QRectF(10, 5, 8, 36));
    EXPECT_EQ(parts[1], QRectF(18, 5, 186, 36));
    EXPECT_EQ(parts[2], QRectF(204, 5, 6, 36));

    // Narrower than both ends: the ends share the frame and the middle vanishes.
    const auto narrow = TKThreePartImage::layout(QRectF(0, 0, 7, 10), 8, 6);
    EXPECT_DOUBLE_EQ(narrow[0].width(), 4.0);
    EXPECT_DOUBLE_EQ(narrow[1].width(), 0.0);
    EXPECT_DOUBLE_EQ(narrow[2].width(), 3.0);
}

TEST(TKThreePartImage, ViewPaintsItsWholeWidth)
{
    TKThreePartImageView view;
    const TKImage strip = TKImage::named("bottom-background");
    view.setImagesLeft(strip, strip, strip);
    EXPECT_EQ(view.left_img().name(), "bottom-background");
    view.resize(300, 36);
    const QImage picture = view.grab().toImage();
    for (int x : {0, 150, 299})
        EXPECT_EQ(qAlpha(picture.pixel(x, 18)), 255) << x;
}

TEST(TKImageButtonCell, StateOffDrawsThePressedBezel)
{
    EXPECT_EQ(TKImageButtonCell::bezel(true).left().name(), "bg_bt_info_left");
    EXPECT_EQ(TKImageButtonCell::bezel(true).middle().name(), "bg_bt_info_center");
    EXPECT_EQ(TKImageButtonCell::bezel(true).right().name(), "bg_bt_info_right");
    EXPECT_EQ(TKImageButtonCell::bezel(false).left().name(), "bg_bt_info_left_pressed");
    EXPECT_EQ(TKImageButtonCell::bezel(false).middle().name(), "bg_bt_info_center_pressed");
    EXPECT_EQ(TKImageButtonCell::bezel(false).right().name(), "bg_bt_info_right_pressed");

    TKImageButtonCell cell("1.0x");
    cell.resize(60, 24);
    cell.setCheckable(true);
    const QImage off = cell.grab().toImage();
    cell.setChecked(true);
    const QImage on = cell.grab().toImage();
    // The raised bezel is lighter than the pressed one at the same spot.
    EXPECT_GT(qGray(on.pixel(4, 12)), qGray(off.pixel(4, 12)));
}
