// Draws every picture of the resources on a dark sheet, at 1x and 2x, so that
// the set can be looked at as a whole: image_sheet_1x.png and image_sheet_2x.png
// in the folder given as argument (the current folder by default).
#include "widgets/TKImage.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPainter>
#include <algorithm>
#include <cstdio>

namespace {

QImage sheet(const QStringList &names, qreal ratio)
{
    const int columns = 6;
    const QSize cell(210, 140);
    const int rows = int((names.size() + columns - 1) / columns);
    QImage image(QSize(columns * cell.width(), rows * cell.height()) * ratio, QImage::Format_ARGB32);
    image.setDevicePixelRatio(ratio);
    image.fill(QColor(0x16, 0x18, 0x1c));
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    QFont font = painter.font();
    font.setPixelSize(10);
    painter.setFont(font);
    for (int i = 0; i < names.size(); ++i) {
        const QPoint origin((i % columns) * cell.width(), (i / columns) * cell.height());
        const TKImage picture = TKImage::named(names[i]);
        QSize size = picture.size();
        // Nine-part and strip pieces are tiny; show them stretched as the windows do.
        if (size.width() <= 10 && size.height() <= 10)
            size = QSize(60, 60);
        else if (size.width() <= 8)
            size = QSize(60, size.height());
        const QRect target(origin + QPoint((cell.width() - size.width()) / 2, (cell.height() - 16 - size.height()) / 2),
                           size);
        painter.drawPixmap(target, picture.pixmap(size, ratio));
        painter.setPen(QColor(0x8b, 0x91, 0x9c));
        painter.drawText(QRect(origin.x(), origin.y() + cell.height() - 18, cell.width(), 16), Qt::AlignCenter,
                         names[i]);
    }
    return image;
}

} // namespace

int main(int argc, char **argv)
{
    QGuiApplication application(argc, argv);
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::currentPath();
    QStringList names;
    QDirIterator it(":/images", {"*.svg"});
    while (it.hasNext())
        names.append(QFileInfo(it.next()).completeBaseName());
    std::sort(names.begin(), names.end());
    for (qreal ratio : {1.0, 2.0}) {
        const QString path = QDir(folder).filePath(QStringLiteral("image_sheet_%1x.png").arg(int(ratio)));
        if (!sheet(names, ratio).save(path)) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
            return 1;
        }
        std::printf("%s (%lld pictures)\n", qPrintable(path), static_cast<long long>(names.size()));
    }
    return 0;
}
