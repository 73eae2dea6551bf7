// Draws the pictures of the resources on a dark sheet so that the set can be
// looked at as a whole, written into the folder given as argument (the current
// folder by default):
//   image_sheet_1x.png, image_sheet_2x.png  every picture with its name
//   image_preview_2x.png                    the pictures put together as the windows use them
#include "widgets/TKImage.h"
#include "widgets/TKThreePartImage.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPainter>
#include <algorithm>
#include <cstdio>

namespace {

const QColor kSheet(0x16, 0x18, 0x1c);
const QColor kCaption(0x8b, 0x91, 0x9c);

QImage canvas(QSize size, qreal ratio)
{
    QImage image(size * ratio, QImage::Format_ARGB32);
    image.setDevicePixelRatio(ratio);
    image.fill(kSheet);
    return image;
}

QImage catalogue(const QStringList &names, qreal ratio)
{
    const int columns = 8;
    const QSize cell(150, 92);
    const int rows = int((names.size() + columns - 1) / columns);
    QImage image = canvas(QSize(columns * cell.width(), rows * cell.height()), ratio);
    QPainter painter(&image);
    QFont font = painter.font();
    font.setPixelSize(9);
    painter.setFont(font);
    for (int i = 0; i < names.size(); ++i) {
        const QPoint origin((i % columns) * cell.width(), (i / columns) * cell.height());
        const TKImage picture = TKImage::named(names[i]);
        QSize size = picture.size();
        if (size.width() > cell.width() - 8)
            size.scale(cell.width() - 8, cell.height() - 20, Qt::KeepAspectRatio);
        const QPoint at = origin + QPoint((cell.width() - size.width()) / 2, (cell.height() - 14 - size.height()) / 2);
        painter.drawPixmap(QRect(at, size), picture.pixmap(size, ratio));
        painter.setPen(kCaption);
        painter.drawText(QRect(origin.x(), origin.y() + cell.height() - 15, cell.width(), 14), Qt::AlignCenter,
                         names[i]);
    }
    return image;
}

void drawNinePart(QPainter &painter, const QString &base, const QRect &frame)
{
    const int c = TKImage::named(base + "_top_left_corner").size().width();
    const QRect inner = frame.adjusted(c, c, -c, -c);
    auto part = [&](const char *name, const QRect &target) { TKImage::named(base + name).draw(painter, target); };
    part("_top_left_corner", QRect(frame.topLeft(), QSize(c, c)));
    part("_top_right_corner", QRect(QPoint(inner.right() + 1, frame.top()), QSize(c, c)));
    part("_bottom_left_corner", QRect(QPoint(frame.left(), inner.bottom() + 1), QSize(c, c)));
    part("_bottom_right_corner", QRect(inner.bottomRight() + QPoint(1, 1), QSize(c, c)));
    part("_top_edge_fill", QRect(inner.left(), frame.top(), inner.width(), c));
    part("_bottom_edge_fill", QRect(inner.left(), inner.bottom() + 1, inner.width(), c));
    part("_left_edge_fill", QRect(frame.left(), inner.top(), c, inner.height()));
    part("_right_edge_fill", QRect(inner.right() + 1, inner.top(), c, inner.height()));
    part("_center_fill", inner);
}

void drawCentred(QPainter &painter, const QString &name, const QRect &frame)
{
    const TKImage picture = TKImage::named(name);
    const QSize size = picture.size();
    picture.draw(painter, QRectF(frame.center().x() - size.width() / 2.0 + 0.5,
                                 frame.center().y() - size.height() / 2.0 + 0.5, size.width(), size.height()));
}

QImage preview(qreal ratio)
{
    QImage image = canvas(QSize(900, 560), ratio);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);

    drawNinePart(painter, "v1", QRect(10, 10, 540, 300));
    drawCentred(painter, "v1_front_logo", QRect(10, 10, 540, 300));
    drawNinePart(painter, "v2", QRect(560, 160, 330, 150));
    drawCentred(painter, "v2_rear_logo", QRect(560, 160, 330, 150));

    // Side tabs over the table with its kind icons.
    TKImage::named("record_p").draw(painter, QRectF(560, 10, 111, 32));
    TKImage::named("information_n").draw(painter, QRectF(671, 10, 111, 32));
    TKImage::named("trips_n").draw(painter, QRectF(782, 10, 111, 32));
    const char *const cars[] = {"car_front_alwa", "car_rear_alwa", "car_front_motion", "car_rear_event"};
    painter.setPen(QColor(0xc9, 0xcc, 0xd1));
    for (int row = 0; row < 4; ++row) {
        const TKImage car = TKImage::named(cars[row]);
        car.draw(painter, QRectF(QPointF(566, 50 + row * 24), car.size()));
        painter.drawText(QRect(602, 48 + row * 24, 280, 20), Qt::AlignVCenter, "2024-03-05  14:07:09  alwa_F.MP4");
    }

    // The windowed control box and the full-screen strip.
    TKThreePartImage::named("bottom-background", "bottom-background", "bottom-background")
        .draw(painter, QRectF(10, 320, 880, 36));
    int x = 20;
    for (const char *name : {"icon_backward_n", "icon_play_f", "icon_forward_n", "icon_swap_n", "icon_speed_up_p",
                             "icon_volume_down_n", "icon_volume_up_n", "icon_audio_front_n", "icon_size_up_n",
                             "icon_fullscreen_n", "icon_capture_n", "icon_print_n", "icon_folder_n",
                             "icon_settings_n", "icon_clock_n", "icon_close_n"}) {
        const TKImage button = TKImage::named(name);
        const QSize size = button.size() * (button.size().height() > 32 ? 0.8 : 0.9);
        button.draw(painter, QRectF(x, 338 - size.height() / 2.0, size.width(), size.height()));
        x += size.width() + 12;
    }
    x = 20;
    for (const char *name : {"icon_backward_n", "icon_pause_n", "icon_forward_f", "icon_swap_p", "icon_speed_down_n",
                             "icon_size_down_n", "icon_fullscreen_exit_n", "icon_audio_rear_f", "icon_stop_n",
                             "icon_map_n", "icon_list_n", "icon_minimize_n"}) {
        const TKImage button = TKImage::named(name);
        button.draw(painter, QRectF(x, 368, button.size().width(), button.size().height()));
        x += button.size().width() + 14;
    }

    // Bezel text buttons, on and off.
    for (int i = 0; i < 2; ++i) {
        const QRectF frame(20 + i * 90, 430, 80, 24);
        TKThreePartImage::named(i ? "bg_bt_info_left_pressed" : "bg_bt_info_left",
                                i ? "bg_bt_info_center_pressed" : "bg_bt_info_center",
                                i ? "bg_bt_info_right_pressed" : "bg_bt_info_right")
            .draw(painter, frame);
        painter.setPen(QColor(0xe4, 0xe6, 0xea));
        painter.drawText(frame, Qt::AlignCenter, i ? "1.00x" : "2.0x");
    }

    // Share slider and dock progress rows on the application icon.
    painter.fillRect(QRectF(220, 440, 300, 4), Qt::black);
    TKImage::named("hud_slider-knobBlack-N").draw(painter, QRectF(220 + 0.7 * 287, 433.5, 13, 17));
    TKImage::named("hud_slider-knobBlack-N").draw(painter, QRectF(220 + 0.9 * 287, 433.5, 13, 17));
    const QRectF icon(560, 420, 128, 128);
    TKImage::named("app_icon").draw(painter, icon);
    painter.save();
    painter.setClipRect(icon);
    TKImage::named("blueProgress").draw(painter, QRectF(icon.left() + 80 - 128, icon.top(), 128, 16));
    TKImage::named("greyProgress").draw(painter, QRectF(icon.left() + 80, icon.top(), 128, 16));
    TKImage::named("barberProgress").draw(painter, QRectF(icon.left() - 12, icon.top() + 16, 160, 16));
    painter.restore();
    TKImage::named("app_icon").draw(painter, QRectF(720, 452, 64, 64));
    TKImage::named("app_icon").draw(painter, QRectF(800, 468, 32, 32));
    TKImage::named("app_icon").draw(painter, QRectF(846, 476, 16, 16));
    return image;
}

bool save(const QImage &image, const QString &path)
{
    if (!image.save(path)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return false;
    }
    std::printf("%s\n", qPrintable(path));
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    QGuiApplication application(argc, argv);
    const QDir folder(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::currentPath());
    QStringList names;
    QDirIterator it(":/images", {"*.svg"});
    while (it.hasNext())
        names.append(QFileInfo(it.next()).completeBaseName());
    std::sort(names.begin(), names.end());
    const bool written = save(catalogue(names, 1.0), folder.filePath("image_sheet_1x.png")) &&
                         save(catalogue(names, 2.0), folder.filePath("image_sheet_2x.png")) &&
                         save(preview(2.0), folder.filePath("image_preview_2x.png"));
    return written ? 0 : 1;
}
