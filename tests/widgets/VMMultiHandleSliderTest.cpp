#include "widgets/VMMultiHandleSlider.h"
#include "widgets/VMSliderKnob.h"

#include <QApplication>
#include <QMouseEvent>
#include <QTest>

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

// 213 wide: the track is 200, so a ratio r puts the knob's left edge at 200 r.
class SliderFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        slider.resize(213, 21);
        slider.addHandle("High", TKImage::named("hud_slider-knobBlack-N"), 0.9f);
        slider.addHandle("Low", TKImage::named("hud_slider-knobBlack-N"), 0.7f);
        slider.setValueChangedBlock([this](const VMMultiHandleSlider::Values &values) { reports.push_back(values); });
    }

    void mouse(QEvent::Type type, double x)
    {
        const QPointF local(x, 10.5);
        const Qt::MouseButtons buttons = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
        QMouseEvent event(type, local, slider.mapToGlobal(local), Qt::LeftButton, buttons, Qt::NoModifier);
        QApplication::sendEvent(&slider, &event);
    }

    void drag(double from, double to)
    {
        mouse(QEvent::MouseButtonPress, from);
        mouse(QEvent::MouseMove, to);
        mouse(QEvent::MouseButtonRelease, to);
    }

    float ratio(const char *name) const { return slider.handle(name)->curRatio; }

    VMMultiHandleSlider slider;
    std::vector<VMMultiHandleSlider::Values> reports;
};

} // namespace

TEST_F(SliderFixture, DragsStopAtTheNeighbourAndReportAllValues)
{
    const VMSliderKnob *low = slider.handle("Low")->handleView;
    EXPECT_EQ(low->geometry(), QRect(140, 2, 13, 17));
    EXPECT_EQ(slider.boundaryForHandle("Low").first, 0.0);
    EXPECT_NEAR(slider.boundaryForHandle("Low").second, 180.0, 1e-4);

    drag(146.5, 400); // far right: the right edge meets the left edge of "High"
    EXPECT_FLOAT_EQ(ratio("Low"), 167.0f / 200.0f);
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_FLOAT_EQ(reports.back().value("Low"), 167.0f / 200.0f);
    EXPECT_FLOAT_EQ(reports.back().value("High"), 0.9f);
    EXPECT_EQ(slider.values(), reports.back());

    drag(186.5, -50); // "High" to the far left stops at the right edge of "Low"
    EXPECT_FLOAT_EQ(ratio("High"), 180.0f / 200.0f);
    drag(186.5, 300);
    EXPECT_FLOAT_EQ(ratio("High"), 1.0f);
    EXPECT_EQ(slider.handle("High")->handleView->geometry().right(), 212);

    const std::size_t before = reports.size();
    drag(100, 20); // a press on the bar between knobs grabs nothing
    drag(173.5, 173.5); // a press without movement reports nothing
    EXPECT_EQ(reports.size(), before);
    EXPECT_FLOAT_EQ(ratio("Low"), 167.0f / 200.0f);
}

TEST_F(SliderFixture, OutsideMovesKeepTheOrderAndReachTheEnds)
{
    slider.setValue("Low", 0.95f);
    EXPECT_FLOAT_EQ(ratio("Low"), 167.0f / 200.0f) << "whole knob left of High";
    slider.setValue("Low", 0.0f);
    EXPECT_FLOAT_EQ(ratio("Low"), 0.0f) << "the left end is reachable from outside";
    slider.setValue("High", 0.01f);
    EXPECT_FLOAT_EQ(ratio("High"), 13.0f / 200.0f);
    EXPECT_EQ(reports.size(), 3u);
    EXPECT_FLOAT_EQ(slider.values().value("High"), 13.0f / 200.0f);

    slider.setValue("High", 13.0f / 200.0f); // unchanged
    slider.setValue("High", NAN);
    slider.setValue("Middle", 0.5f);
    EXPECT_EQ(reports.size(), 3u);
    EXPECT_FALSE(slider.values().contains("Middle"));

    slider.show();
    slider.resize(413, 21); // knobs follow their ratios
    EXPECT_EQ(slider.handle("High")->handleView->x(), 26);
}

TEST_F(SliderFixture, ArrowKeysMoveTheFocusedHandleByWholeSteps)
{
    slider.show();
    VMSliderKnob *low = slider.handle("Low")->handleView;
    slider.setValue("Low", 0.0f);
    reports.clear();
    for (int percent = 1; percent <= 83; ++percent) {
        QTest::keyClick(low, Qt::Key_Right);
        ASSERT_EQ(ratio("Low"), static_cast<float>(percent) / 100.0f);
    }
    EXPECT_EQ(reports.size(), 83u);
    QTest::keyClick(low, Qt::Key_Right); // 0.84 would touch "High"
    EXPECT_FLOAT_EQ(ratio("Low"), 167.0f / 200.0f);
    QTest::keyClick(low, Qt::Key_Home);
    EXPECT_FLOAT_EQ(ratio("Low"), 0.0f);
    QTest::keyClick(low, Qt::Key_PageUp);
    EXPECT_FLOAT_EQ(ratio("Low"), 0.1f);
    EXPECT_EQ(low->accessibleName(), "Low");
    EXPECT_EQ(low->focusPolicy() & Qt::TabFocus, Qt::TabFocus);
}

TEST(VMMultiHandleSlider, MappingsStackedKnobsAndReplacedHandles)
{
    VMMultiHandleSlider slider;
    slider.resize(213, 21);
    const auto percent = [](float ratio) { return ratio * 100.0f; };
    const auto ratioOf = [](float value) { return value / 100.0f; };
    slider.addHandle("Low", TKImage(), 0.5f, percent, ratioOf);
    slider.addHandle("High", TKImage(), 0.5f, percent, ratioOf);
    EXPECT_FLOAT_EQ(slider.values().value("Low"), 50.0f);

    // Knobs added at the same ratio keep the order they were added in.
    EXPECT_NEAR(slider.boundaryForHandle("Low").second, 100.0, 1e-4);
    EXPECT_NEAR(slider.boundaryForHandle("High").first, 113.0, 1e-4);
    slider.setValue("High", 80.0f);
    EXPECT_FLOAT_EQ(slider.handle("High")->curRatio, 0.8f);
    slider.setValue("Low", 90.0f);
    EXPECT_FLOAT_EQ(slider.values().value("Low"), 73.5f);

    slider.addHandle("Low", TKImage(), 0.1f);
    EXPECT_EQ(slider.findChildren<VMSliderKnob *>().size(), 2);
    EXPECT_FLOAT_EQ(slider.values().value("Low"), 0.1f);
}
