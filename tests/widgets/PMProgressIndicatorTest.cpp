#include "widgets/PMProgressIndicator.h"
#include "widgets/PMProgressIndicatorController.h"

#include <cstdlib>

#include <QLabel>
#include <gtest/gtest.h>

namespace {

struct IndicatorFixture : ::testing::Test {
    IndicatorFixture()
    {
        indicator.setController(&controller);
        indicator.setProgressText(&label);
        indicator.setClock([this] { return now; });
    }

    double now = 1000.0;
    PMProgressIndicatorController controller;
    QLabel label;
    PMProgressIndicator indicator;
};

} // namespace

TEST_F(IndicatorFixture, ChangesOncePerWholeUnit)
{
    indicator.setDoubleValue(10.2);
    EXPECT_DOUBLE_EQ(indicator.doubleValue(), 10.2);
    EXPECT_EQ(controller.numProgressIndicators(), 1);

    indicator.setDoubleValue(10.9);
    EXPECT_DOUBLE_EQ(indicator.doubleValue(), 10.2);

    indicator.setDoubleValue(11.0);
    EXPECT_DOUBLE_EQ(indicator.doubleValue(), 11.0);
    EXPECT_EQ(indicator.value(), 1100);
}

TEST_F(IndicatorFixture, LeavesTheIconAtEitherBound)
{
    indicator.setDoubleValue(40);
    EXPECT_EQ(controller.numProgressIndicators(), 1);
    indicator.setDoubleValue(100);
    EXPECT_EQ(controller.numProgressIndicators(), 0);
    indicator.setDoubleValue(40);
    indicator.setDoubleValue(0);
    EXPECT_EQ(controller.numProgressIndicators(), 0);

    indicator.setDoubleValue(30);
    indicator.setDrawDockProgress(false);
    EXPECT_EQ(controller.numProgressIndicators(), 0);
    indicator.setDoubleValue(31);
    EXPECT_EQ(controller.numProgressIndicators(), 0);
}

TEST_F(IndicatorFixture, PercentageWithEstimateFromRecentProgress)
{
    indicator.setDisplayPercentage(true);
    indicator.setDoubleValue(40);
    EXPECT_EQ(label.text(), "40 % completed");

    // 10 % more in 5 s with 50 % to go: 25 s left.
    now += 5.0;
    indicator.setDoubleValue(50);
    EXPECT_EQ(label.text(), "50 % completed - Less than a minute remaining");

    indicator.setDisplayPercentage(false);
    now += 1.0;
    indicator.setDoubleValue(51);
    EXPECT_EQ(label.text(), "Less than a minute remaining");
}

TEST_F(IndicatorFixture, EstimateFollowsTheLastSecondsOnly)
{
    indicator.setDoubleValue(1);
    now += 4.0; // a second base time is taken here
    indicator.setDoubleValue(2);
    now += 4.0; // the second base replaces the first
    indicator.setDoubleValue(42);
    // 40 % in the last 4 s, 58 % to go: 5.8 s.
    EXPECT_EQ(label.text(), "About ten seconds remaining");
}

TEST_F(IndicatorFixture, NoEstimateWithoutProgressOrTooEarly)
{
    indicator.setDoubleValue(10);
    EXPECT_EQ(label.text(), "");
    now += 0.2;
    indicator.setDoubleValue(20);
    EXPECT_EQ(label.text(), "");

    label.setText("kept");
    indicator.setDoubleRange(0, 1000);
    now += 2.0;
    indicator.setDoubleValue(5); // the fraction went back: no estimate
    EXPECT_EQ(label.text(), "kept");

    indicator.setIndeterminate(true);
    indicator.setDoubleValue(6);
    EXPECT_EQ(label.text(), "");
}

TEST(PMProgressIndicatorText, TimeLeftTable)
{
    const std::pair<double, const char *> cases[] = {
        {3000, "About 50 minutes remaining"}, {616, "About 11 minutes remaining"},
        {600, "About ten minutes remaining"}, {500, "About nine minutes remaining"},
        {436, "About eight minutes remaining"}, {376, "About seven minutes remaining"},
        {316, "About six minutes remaining"}, {256, "About five minutes remaining"},
        {196, "About four minutes remaining"}, {136, "About three minutes remaining"},
        {76, "About two minutes remaining"}, {60, "About one minute remaining"},
        {50, "Less than a minute remaining"}, {10, "About ten seconds remaining"},
        {5, "About five seconds remaining"}, {0, "About five seconds remaining"},
    };
    for (const auto &[seconds, text] : cases)
        EXPECT_EQ(PMProgressIndicator::timeRemainingText(seconds), text) << seconds;
}

TEST(PMProgressIndicatorControllerIcon, OneRowPerIndicator)
{
    PMProgressIndicatorController controller;
    PMProgressIndicator first;
    PMProgressIndicator second;
    first.setController(&controller);
    second.setController(&controller);
    second.setIndeterminate(true);

    first.setDoubleValue(50);
    second.setDoubleValue(50);
    first.setDoubleValue(50.5);
    ASSERT_EQ(controller.numProgressIndicators(), 2);
    controller.addProgressIndicator(&first);
    EXPECT_EQ(controller.numProgressIndicators(), 2);

    controller.drawProgressIndicators();
    const QImage icon = controller.currentIcon();
    ASSERT_EQ(icon.width(), PMProgressIndicatorController::kIconSize);
    // Row 0 at the bottom is half filled; row 1 above it is a barber pole.
    const int row0 = icon.height() - PMProgressIndicatorController::kRowHeight / 2;
    const int row1 = row0 - PMProgressIndicatorController::kRowHeight;
    // The bar pictures of the resources are drawn: blue left of the fill mark, grey right of it.
    const QColor filled = icon.pixelColor(20, row0);
    const QColor empty = icon.pixelColor(100, row0);
    EXPECT_GT(filled.blue(), filled.red() + 60);
    EXPECT_LT(std::abs(empty.blue() - empty.red()), 40);
    EXPECT_EQ(filled.alpha(), 255);
    EXPECT_EQ(empty.alpha(), 255);
    EXPECT_NE(qAlpha(icon.pixel(64, row1)), 0);
    EXPECT_EQ(qAlpha(icon.pixel(64, row1 - PMProgressIndicatorController::kRowHeight)), 0);

    controller.removeProgressIndicator(&first);
    controller.removeProgressIndicator(&second);
    controller.drawProgressIndicators();
    EXPECT_EQ(qAlpha(controller.currentIcon().pixel(20, row0)), 0);
}
