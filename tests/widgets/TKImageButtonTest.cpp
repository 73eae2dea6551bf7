#include "widgets/TKImageButton.h"

#include <QEnterEvent>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace {

void enter(TKImageButton &button)
{
    QEnterEvent event(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
    QCoreApplication::sendEvent(&button, &event);
}

void leave(TKImageButton &button)
{
    QEvent event(QEvent::Leave);
    QCoreApplication::sendEvent(&button, &event);
}

} // namespace

TEST(TKImageButton, ImagesFollowANewNormalImageName)
{
    TKImageButton button("icon_pause_n");
    button.setImageName("icon_play_n");
    EXPECT_EQ(button.rolloverImage().name(), "icon_play_f");
    EXPECT_EQ(button.pressedImage().name(), "icon_play_p");
    EXPECT_EQ(button.activeImage().name(), "icon_play_n");
    EXPECT_EQ(button.inactiveImage().name(), "icon_play_n");
    EXPECT_TRUE(button.buttonImageNameWithSuffix("_x").isNull()) << "no such picture";
}

TEST(TKImageButton, RollOverFollowsEnterAndExitWhileEnabled)
{
    TKImageButton button("icon_play_n");
    enter(button);
    EXPECT_EQ(button.numberOfCaptures(), 1);
    EXPECT_EQ(button.image().name(), "icon_play_f");
    leave(button);
    EXPECT_EQ(button.numberOfCaptures(), 0);
    EXPECT_EQ(button.image().name(), "icon_play_n");

    // A new name under the pointer keeps the roll-over look of the new picture.
    enter(button);
    button.setImageName("icon_pause_n");
    EXPECT_EQ(button.image().name(), "icon_pause_f");
}

TEST(TKImageButton, DisabledButtonIgnoresRollOverUntilThePointerComesBack)
{
    TKImageButton button("icon_play_n");
    button.setEnabled(false);
    enter(button);
    EXPECT_EQ(button.image().name(), "icon_play_n");
    EXPECT_EQ(button.image(), button.inactiveImage());

    button.setEnabled(true);
    EXPECT_EQ(button.image().name(), "icon_play_n") << "enabling shows the active image";
    leave(button);
    enter(button);
    EXPECT_EQ(button.image().name(), "icon_play_f");
}

TEST(TKImageButton, CapturesNeverGoBelowZero)
{
    TKImageButton button("icon_play_n");
    leave(button);
    EXPECT_EQ(button.numberOfCaptures(), 0);
    enter(button);
    enter(button);
    EXPECT_EQ(button.numberOfCaptures(), 2);
    button.setNumberOfCaptures(-3);
    EXPECT_EQ(button.numberOfCaptures(), 2);
    leave(button);
    EXPECT_TRUE(button.shouldDisplayRollOver());
    button.resetMouseCaptures();
    EXPECT_FALSE(button.shouldDisplayRollOver());
}

TEST(TKImageButton, PressingShowsThePressedImageAndClicksOnlyOnThePicture)
{
    TKImageButton button("icon_play_n");
    button.resize(button.sizeHint());
    EXPECT_EQ(button.sizeHint(), QSize(40, 40) + QSize(8, 8));
    EXPECT_EQ(button.mouseTrackingArea(), button.rect());

    QSignalSpy clicked(&button, &QAbstractButton::clicked);
    button.setDown(true);
    EXPECT_EQ(button.displayedImage().name(), "icon_play_p");
    button.setDown(false);
    EXPECT_EQ(button.displayedImage().name(), "icon_play_n");

    QTest::mouseClick(&button, Qt::LeftButton, {}, QPoint(1, 1));
    EXPECT_EQ(clicked.count(), 0) << "the margin only tracks the pointer";
    QTest::mouseClick(&button, Qt::LeftButton, {}, button.rect().center());
    EXPECT_EQ(clicked.count(), 1);
}

TEST(TKImageButton, RealPointerMovesCountFourPointsAroundThePicture)
{
    QWidget window;
    window.resize(300, 200);
    TKImageButton button("icon_play_n", &window);
    button.setGeometry(QRect(QPoint(100, 50), button.sizeHint()));
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));

    QTest::mouseMove(&window, QPoint(10, 10));
    QTest::qWait(20);
    // Two points left of the picture, inside the tracking margin.
    QTest::mouseMove(&window, QPoint(102, 70));
    QTest::qWait(20);
    EXPECT_EQ(button.numberOfCaptures(), 1);
    EXPECT_EQ(button.image().name(), "icon_play_f");

    // Leaving while disabled is still counted, so the roll-over cannot stick afterwards.
    button.setEnabled(false);
    QTest::mouseMove(&window, QPoint(10, 10));
    QTest::qWait(20);
    button.setEnabled(true);
    EXPECT_EQ(button.numberOfCaptures(), 0);
    EXPECT_EQ(button.image().name(), "icon_play_n");
}
