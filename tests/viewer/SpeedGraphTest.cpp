// The speed graph: its series from a recording's data, the geometry of the
// curve, the poor-fix bands and the scale, the widget drawn offscreen, and
// the switch between it and the G-sensor graph.
#include "TripsFixtures.h"

#include "blackbox/VRDBlackBoxData.h"
#include "io/VRDMemoryByteSource.h"
#include "viewer/VRDGraphSwitch.h"
#include "viewer/VRDSpeedGraphGeometry.h"
#include "viewer/VRDSpeedGraphView.h"
#include "viewer/VRDSpeedSeries.h"
#include "widgets/TKSegmentedControl.h"

#include <QAbstractButton>
#include <QImage>
#include <QSettings>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <cmath>

namespace {

using Geometry = VRDSpeedGraphGeometry;
using Sample = VRDSpeedSeries::Sample;
using Unit = VRDSpeedSeries::Unit;

// 400 × 100 from (40, 10): sample i of n sits at x = 40 + 400 (i + 0.5) / n.
constexpr Geometry::Area kArea{40.0, 10.0, 400.0, 100.0};

VRDSpeedSeries series(std::vector<Sample> samples, Unit unit = Unit::KilometresPerHour)
{
    return {unit, std::move(samples)};
}

std::shared_ptr<const VRDBlackBoxSnapshot> snapshotOf(const std::vector<BlackBoxSample> &samples)
{
    const std::vector<std::uint8_t> bytes = TripsFixtures::recording(samples);
    VRDMemoryByteSource source(bytes);
    VRDBlackBoxData data;
    EXPECT_TRUE(data.ExtractStreamInformation(source));
    return data.snapshot();
}

QImage render(QWidget &view)
{
    QImage image(view.size(), QImage::Format_ARGB32);
    image.fill(Qt::black);
    view.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
    return image;
}

} // namespace

TEST(VRDSpeedGraphGeometry, ScaleIsWholeStepsAboveTheFastestPlausibleSpeed)
{
    struct Case {
        double fastest;
        int step;
        int top;
    };
    const Case cases[] = {{0.0, 10, 20},  {15.0, 10, 20},   {40.0, 10, 40},   {40.5, 20, 60},   {52.0, 20, 60},
                          {80.0, 20, 80}, {81.0, 50, 100},  {150.0, 50, 150}, {201.0, 100, 300}, {655.35, 200, 800},
                          {std::nan(""), 10, 20}, {-5.0, 10, 20}};
    for (const Case &c : cases) {
        EXPECT_EQ(Geometry::scaleStep(c.fastest), c.step) << c.fastest;
        EXPECT_EQ(Geometry::scaleTop(c.fastest), c.top) << c.fastest;
    }

    // A wild speed from a bad fix neither sets the scale nor leaves the area.
    const VRDSpeedSeries wild = series({{52.0, true}, {900.0, false}, {30.0, true}});
    const Geometry geometry(wild, kArea);
    EXPECT_EQ(geometry.top(), 60);
    const std::vector<Geometry::Tick> ticks = geometry.ticks();
    ASSERT_EQ(ticks.size(), 4u);
    for (std::size_t i = 0; i < ticks.size(); ++i) {
        EXPECT_EQ(ticks[i].speed, static_cast<int>(20 * i));
        EXPECT_NEAR(ticks[i].y, 110.0 - 100.0 * static_cast<double>(i) / 3.0, 1e-9);
    }
    const std::vector<Geometry::Point> curve = geometry.curve();
    ASSERT_EQ(curve.size(), 3u);
    EXPECT_DOUBLE_EQ(curve[0].x, 40.0 + 400.0 / 6);
    EXPECT_NEAR(curve[0].y, 110.0 - 100.0 * 52.0 / 60.0, 1e-9);
    EXPECT_EQ(curve[1], (Geometry::Point{240.0, 10.0})) << "clamped to the top";
    EXPECT_NEAR(curve[2].y, 60.0, 1e-9);

    // Without any plausible fix every sample counts.
    EXPECT_EQ(Geometry(series({{90.0, false}, {10.0, false}}), kArea).top(), 100);
}

TEST(VRDSpeedGraphGeometry, BandsCoverEachRunOfNoOrPoorFix)
{
    // 8 samples of 50 points each: runs 0–1, 4, 6–7 have no plausible fix.
    std::vector<Sample> samples(8, {40.0, true});
    for (std::size_t i : {0u, 1u, 4u, 6u, 7u})
        samples[i].plausibleFix = false;
    const VRDSpeedSeries withGaps = series(samples);
    EXPECT_EQ(Geometry(withGaps, kArea).poorFixBands(),
              (std::vector<Geometry::Band>{{40.0, 140.0}, {240.0, 290.0}, {340.0, 440.0}}));

    std::vector<Sample> allGood(5, {10.0, true});
    EXPECT_TRUE(Geometry(series(allGood), kArea).poorFixBands().empty());
    const VRDSpeedSeries noFix = series(std::vector<Sample>(3, {0.0, false}));
    EXPECT_EQ(Geometry(noFix, kArea).poorFixBands(), (std::vector<Geometry::Band>{{40.0, 440.0}}));

    // The cursor spans the same width as the samples, clamped.
    const Geometry geometry(withGaps, kArea);
    EXPECT_DOUBLE_EQ(geometry.cursorX(0.5), 240.0);
    EXPECT_DOUBLE_EQ(geometry.cursorX(-1.0), 40.0);
    EXPECT_DOUBLE_EQ(geometry.cursorX(3.0), 440.0);
    EXPECT_DOUBLE_EQ(geometry.cursorX(std::nan("")), 40.0);

    // Nothing to draw without samples, yet a grid to show.
    const VRDSpeedSeries empty;
    const Geometry bare(empty, kArea);
    EXPECT_TRUE(bare.curve().empty());
    EXPECT_TRUE(bare.poorFixBands().empty());
    EXPECT_EQ(bare.ticks().size(), 3u);
}

TEST(VRDSpeedSeries, SpeedsInTheCameraUnitWithTheTripsRuleForFixes)
{
    std::vector<BlackBoxSample> samples;
    for (std::uint32_t i = 0; i < 10; ++i) {
        samples.push_back(TripsFixtures::sample(1000 + i / 10));
        samples.back().flags = 0x31;
        samples.back().speed = 30;
    }
    samples[2].satellites = 3;
    samples[3].hdop = 7.5;
    samples[4].latitude = 0.0;
    samples[4].longitude = 0.0;
    samples[5].nmea = TripsFixtures::rmc(TripsFixtures::kMorningUtc, false);
    // One fix in km/h among miles per hour: the camera's unit stays mph.
    samples[6].flags = 0x30;
    samples[6].speed = 80;

    const auto snapshot = snapshotOf(samples);
    EXPECT_EQ(VRDSpeedSeries::cameraUnit(*snapshot), Unit::MilesPerHour);
    const VRDSpeedSeries speeds = VRDSpeedSeries::fromSnapshot(*snapshot);
    EXPECT_EQ(speeds.unit(), Unit::MilesPerHour);
    ASSERT_EQ(speeds.samples().size(), 10u);
    EXPECT_NEAR(speeds.samples()[0].speed, 30.0, 0.01);
    EXPECT_NEAR(speeds.samples()[6].speed, 49.71, 0.01) << "80 km/h shown in mph";
    std::vector<bool> plausible;
    for (const Sample &sample : speeds.samples())
        plausible.push_back(sample.plausibleFix);
    EXPECT_EQ(plausible, (std::vector<bool>{true, true, false, false, false, false, true, true, true, true}));

    // Kilometres per hour as recorded.
    for (BlackBoxSample &sample : samples)
        sample.flags = 0x30;
    const VRDSpeedSeries metric = VRDSpeedSeries::fromSnapshot(*snapshotOf(samples));
    EXPECT_EQ(metric.unit(), Unit::KilometresPerHour);
    EXPECT_NEAR(metric.samples()[0].speed, 30.0, 0.01);

    // No data, or lists out of step, give an empty series in km/h.
    EXPECT_TRUE(VRDSpeedSeries::fromSnapshot(*snapshotOf({})).empty());
    VRDBlackBoxSnapshot broken = *snapshotOf(samples);
    broken.RecordFixIndexes.back() = broken.NMEAs.size();
    EXPECT_TRUE(VRDSpeedSeries::fromSnapshot(broken).empty());
    broken.vGpsData.pop_back();
    EXPECT_TRUE(VRDSpeedSeries::fromSnapshot(broken).empty());
    EXPECT_EQ(VRDSpeedSeries::cameraUnit(VRDBlackBoxSnapshot{}), Unit::KilometresPerHour);
}

TEST(VRDSpeedGraphView, DrawsBandsCurveAndCursorOrTheBareGrid)
{
    VRDSpeedGraphView view;
    view.resize(452, 116);
    const Geometry::Area area = view.plotArea();
    EXPECT_DOUBLE_EQ(area.left, 40.0);
    EXPECT_DOUBLE_EQ(area.width, 400.0);
    EXPECT_DOUBLE_EQ(area.height, 100.0);
    EXPECT_EQ(VRDSpeedGraphView::unitText(Unit::KilometresPerHour), "km/h");
    EXPECT_EQ(VRDSpeedGraphView::unitText(Unit::MilesPerHour), "mph");

    // Empty: grid lines, no cursor.
    view.updateTimePosition(0.5);
    const QImage empty = render(view);
    EXPECT_EQ(empty.pixel(300, 108), qRgb(204, 204, 204)) << "the zero line";
    EXPECT_EQ(empty.pixel(240, 80), qRgb(0, 0, 0)) << "no cursor without data";

    // Four samples: the first half without a fix is shaded, the rest is not.
    view.setSeries(std::make_shared<const VRDSpeedSeries>(
        series({{0.0, false}, {0.0, false}, {15.0, true}, {15.0, true}}, Unit::MilesPerHour)));
    view.updateTimePosition(0.75);
    const QImage drawn = render(view);
    EXPECT_NE(drawn.pixel(106, 60), qRgb(0, 0, 0)) << "shaded band";
    EXPECT_EQ(drawn.pixel(306, 60), qRgb(0, 0, 0)) << "good fix, no shade";
    EXPECT_EQ(drawn.pixel(341, 60), qRgb(255, 255, 255)) << "cursor at 3/4";
    // The curve at 15 of a 20 top runs a quarter down on the right.
    const QRgb curve = drawn.pixel(356, 33);
    EXPECT_GT(qRed(curve), 150);
    EXPECT_GT(qRed(curve), qBlue(curve) + 60) << "the curve's amber";
}

TEST(VRDGraphSwitch, ControlAndKeyChooseTheGraphAndTheChoiceIsRemembered)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    QSettings settings(folder.filePath("viewer.conf"), QSettings::IniFormat);

    QWidget window;
    auto *control = new TKSegmentedControl(&window);
    auto *stack = new QStackedWidget(&window);
    stack->addWidget(new QWidget);
    stack->addWidget(new VRDSpeedGraphView);
    {
        VRDGraphSwitch graphs(*control, *stack, window, settings);
        EXPECT_EQ(graphs.shown(), VRDViewerSettings::Graph::GSensor) << "first run";
        EXPECT_EQ(control->labelForSegment(0), "G-sensor");
        EXPECT_EQ(control->labelForSegment(1), "Speed");
        EXPECT_TRUE(control->toolTip().endsWith("(G)"));

        QTest::mouseClick(control->buttonForSegment(1), Qt::LeftButton);
        EXPECT_EQ(stack->currentIndex(), 1);
        EXPECT_EQ(VRDViewerSettings(settings).graph(), VRDViewerSettings::Graph::Speed);

        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        QTest::keyClick(&window, Qt::Key_G);
        EXPECT_EQ(graphs.shown(), VRDViewerSettings::Graph::GSensor);
        EXPECT_EQ(control->selectedSegment(), 0);
        QTest::keyClick(&window, Qt::Key_G);
        EXPECT_EQ(graphs.shown(), VRDViewerSettings::Graph::Speed);
    }
    VRDGraphSwitch again(*control, *stack, window, settings);
    EXPECT_EQ(again.shown(), VRDViewerSettings::Graph::Speed) << "remembered";

    settings.setValue("viewer/graph", "sideways");
    EXPECT_EQ(VRDViewerSettings(settings).graph(), VRDViewerSettings::Graph::GSensor);
}
