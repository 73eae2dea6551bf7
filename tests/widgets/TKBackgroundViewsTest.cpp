#include "widgets/CustomBackgroundBox.h"
#include "widgets/TKColorBackgroundView.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

TEST(TKColorBackgroundView, FillsWithItsColourOnlyWhenSet)
{
    TKColorBackgroundView view;
    view.resize(20, 10);
    view.setAttribute(Qt::WA_NoSystemBackground);
    QImage unset(view.size(), QImage::Format_ARGB32);
    unset.fill(Qt::transparent);
    view.render(&unset, QPoint(), QRegion(), QWidget::DrawChildren);
    EXPECT_EQ(qAlpha(unset.pixel(5, 5)), 0);

    view.setBackgroundColor(QColor(10, 200, 30));
    EXPECT_EQ(view.grab().toImage().pixelColor(5, 5), QColor(10, 200, 30));
}

TEST(CustomBackgroundBox, ShowsAPlainBrownGreyAreaAndOnlyStoresItsImage)
{
    CustomBackgroundBox box;
    box.setFrameShape(QFrame::Box);
    box.resize(30, 20);
    box.setBackgroundImage(TKImage::named("v1_center_fill"));
    EXPECT_EQ(box.backgroundImage().name(), "v1_center_fill");
    const QImage picture = box.grab().toImage();
    const QRgb expected = QColor::fromRgbF(0.416f, 0.373f, 0.357f).rgb();
    for (QPoint point : {QPoint(0, 0), QPoint(15, 10), QPoint(29, 19)})
        EXPECT_EQ(picture.pixel(point), expected);
}
