#include "widgets/TKImage.h"

#include <QPainter>
#include <gtest/gtest.h>

namespace {

// Every picture the windows load by name.
const char *const kNamedImages[] = {
    "icon_play_n", "icon_play_f", "icon_play_p", "icon_pause_n", "icon_pause_f", "icon_pause_p",
    "car_front_alwa", "car_front_motion", "car_front_event", "car_rear_alwa", "car_rear_motion", "car_rear_event",
    "v1_front_logo", "v1_rear_logo", "v2_front_logo", "v2_rear_logo",
    "record_n.png", "record_p.png", "information_n.png", "information_p.png",
    "bottom-background",
    "bg_bt_info_left.png", "bg_bt_info_center.png", "bg_bt_info_right.png",
    "bg_bt_info_left_pressed.png", "bg_bt_info_center_pressed.png", "bg_bt_info_right_pressed.png",
    "hud_slider-knobBlack-N", "blueProgress", "greyProgress", "barberProgress", "app_icon",
};

const char *const kNinePartSuffixes[] = {
    "_top_left_corner", "_top_right_corner", "_bottom_left_corner", "_bottom_right_corner",
    "_left_edge_fill", "_right_edge_fill", "_top_edge_fill", "_bottom_edge_fill", "_center_fill",
};

// Buttons of the player window: each has its three states.
const char *const kButtonBases[] = {
    "icon_play", "icon_pause", "icon_stop", "icon_forward", "icon_backward", "icon_swap", "icon_speed_up",
    "icon_speed_down", "icon_volume_up", "icon_volume_down", "icon_audio_front", "icon_audio_rear",
    "icon_size_up", "icon_size_down", "icon_fullscreen", "icon_fullscreen_exit", "icon_capture", "icon_print",
    "icon_folder", "icon_settings", "icon_clock", "icon_close", "icon_minimize", "icon_map", "icon_list",
};

} // namespace

TEST(TKImage, EveryNamedPictureIsInTheResources)
{
    for (const char *name : kNamedImages) {
        const TKImage image = TKImage::named(name);
        EXPECT_FALSE(image.isNull()) << name;
        EXPECT_FALSE(image.size().isEmpty()) << name;
    }
    for (const char *base : {"v1", "v2"}) {
        for (const char *suffix : kNinePartSuffixes)
            EXPECT_TRUE(TKImage::exists(QString(base) + suffix)) << base << suffix;
    }
    for (const char *base : kButtonBases) {
        for (const char *state : {"_n", "_f", "_p"})
            EXPECT_TRUE(TKImage::exists(QString(base) + state)) << base << state;
    }
}

TEST(TKImage, StatesOfAButtonShareOneSize)
{
    for (const char *base : kButtonBases) {
        const QSize normal = TKImage::named(QString(base) + "_n").size();
        EXPECT_EQ(TKImage::named(QString(base) + "_f").size(), normal) << base;
        EXPECT_EQ(TKImage::named(QString(base) + "_p").size(), normal) << base;
    }
}

TEST(TKImage, SizesTheWindowsRelyOn)
{
    EXPECT_EQ(TKImage::named("hud_slider-knobBlack-N").size(), QSize(13, 17));
    EXPECT_EQ(TKImage::named("blueProgress").size().width(), 128);
    EXPECT_EQ(TKImage::named("greyProgress").size().width(), 128);
    // The barber pole is drawn up to 32 units left of the icon and must still cover it.
    EXPECT_GE(TKImage::named("barberProgress").size().width(), 160);
    EXPECT_EQ(TKImage::named("bottom-background").size().height(), 36);
    for (const char *name : {"car_front_alwa", "car_rear_event"})
        EXPECT_EQ(TKImage::named(name).size(), QSize(24, 16)) << name;
}

TEST(TKImage, UnknownNamesGiveANullImageAndExtensionsAreIgnored)
{
    EXPECT_TRUE(TKImage::named("icon_nothing_n").isNull());
    EXPECT_TRUE(TKImage::named("").isNull());
    EXPECT_FALSE(TKImage::exists("icon_nothing_n"));
    EXPECT_EQ(TKImage::named("record_p.png").name(), "record_p");
    EXPECT_EQ(TKImage::named("blueProgress.tif").name(), "blueProgress");
    EXPECT_TRUE(TKImage().pixmap(2.0).isNull());
}

TEST(TKImage, PixmapsAreRenderedAtTheDevicePixelRatio)
{
    const TKImage play = TKImage::named("icon_play_n");
    const QPixmap single = play.pixmap(1.0);
    const QPixmap twice = play.pixmap(2.0);
    EXPECT_EQ(single.size(), play.size());
    EXPECT_EQ(twice.size(), play.size() * 2);
    EXPECT_DOUBLE_EQ(twice.devicePixelRatio(), 2.0);
    // The amber disc is opaque in its centre and the corners stay transparent.
    const QImage pixels = twice.toImage();
    EXPECT_EQ(qAlpha(pixels.pixel(pixels.width() / 2, pixels.height() / 4)), 255);
    EXPECT_EQ(qAlpha(pixels.pixel(0, 0)), 0);
    const QIcon icon = play.icon();
    EXPECT_NE(icon.pixmap(QSize(40, 40), QIcon::Active).toImage(), icon.pixmap(QSize(40, 40)).toImage())
        << "the Active mode is the roll-over picture";
    EXPECT_EQ(icon.pixmap(QSize(40, 40), QIcon::Active).toImage(),
              TKImage::named("icon_play_f").icon().pixmap(QSize(40, 40)).toImage());
}
