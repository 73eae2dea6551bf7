#include "viewer/GraphView.h"

#include <QImage>
#include <gtest/gtest.h>

namespace {

GraphView::Samples samples(std::size_t count, VRDGSensor value)
{
    return std::make_shared<const std::vector<VRDGSensor>>(count, value);
}

QImage render(GraphView &view)
{
    QImage image(view.size(), QImage::Format_ARGB32);
    image.fill(Qt::black);
    view.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
    return image;
}

} // namespace

TEST(GraphView, GeometryOfA440By216View)
{
    GraphView view;
    view.resize(440, 216);
    EXPECT_EQ(view.graphAreaLeftBottom(), QPointF(20, 8));
    EXPECT_EQ(view.graphAreaSize(), QSizeF(400, 200));
    EXPECT_EQ(view.graphAreaZeroValuePoint(), QPointF(20, 108));

    view.setGraphData(std::make_shared<const std::vector<VRDGSensor>>(
        std::vector<VRDGSensor>{{1.0f, -2.0f, 0.0f}, {1.0f, -2.0f, 0.0f}}));
    const QPolygonF x = view.curvePoints(GraphView::Axis::X);
    const QPolygonF y = view.curvePoints(GraphView::Axis::Y);
    ASSERT_EQ(x.size(), 4001);
    EXPECT_EQ(x.first(), QPointF(21, 158));
    EXPECT_DOUBLE_EQ(x.last().x(), 421.0);
    EXPECT_DOUBLE_EQ(y.last().y(), 8.0);

    view.updateTimePosition(0.5);
    EXPECT_EQ(view.timePositionBar(), QRectF(220, 8, 2, 200));
}

TEST(GraphView, StepsPickProportionalSamplesAndOneSampleSpansTheWidth)
{
    GraphView view;
    view.resize(440, 216);
    std::vector<VRDGSensor> values(8001);
    for (std::size_t i = 0; i < values.size(); ++i)
        values[i].z = static_cast<float>(i) / 8000.0f;
    view.setGraphData(std::make_shared<const std::vector<VRDGSensor>>(values));
    const QPolygonF z = view.curvePoints(GraphView::Axis::Z);
    ASSERT_EQ(z.size(), 4001);
    for (int k : {1, 2, 1000, 4000}) {
        const std::size_t index = static_cast<std::size_t>(8001.0 / 4001.0 * k);
        EXPECT_DOUBLE_EQ(z[k].y(), values[index].z * 50.0 + 108.0) << k;
    }

    // One sample is a flat line across the width.
    view.setGraphData(samples(1, {0.5f, 0.0f, 0.0f}));
    const QPolygonF x = view.curvePoints(GraphView::Axis::X);
    ASSERT_EQ(x.size(), 4001);
    for (const QPointF &point : x)
        ASSERT_DOUBLE_EQ(point.y(), 133.0);
}

TEST(GraphView, EmptyListDrawsGridOnly)
{
    GraphView view;
    view.resize(440, 216);
    view.updateTimePosition(0.5);
    EXPECT_TRUE(view.curvePoints(GraphView::Axis::X).isEmpty());
    const QImage empty = render(view);
    // The zero grid line (graph y 108 → widget row 216 - 108 - 1) is grey.
    EXPECT_EQ(empty.pixel(200, 107), qRgb(204, 204, 204));
    // No white time bar.
    EXPECT_EQ(empty.pixel(221, 60), qRgb(0, 0, 0));

    view.setGraphData(samples(10, {}));
    const QImage drawn = render(view);
    EXPECT_EQ(drawn.pixel(221, 60), qRgb(255, 255, 255));
    view.setGraphData(nullptr);
    EXPECT_TRUE(view.values()->empty());
}
