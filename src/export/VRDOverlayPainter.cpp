#include "export/VRDOverlayPainter.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cstdio>

QImage VRDOverlayPainter::paint(const VRDOverlayFacts &facts, int width, int height)
{
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    const double radius = height * 0.08;
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 0, 0, 150));
    painter.drawRoundedRect(QRectF(0, 0, width, height), radius, radius);

    const int line = height / 3;
    const int pad = std::max(2, line / 5);
    QFont font("DejaVu Sans");
    font.setPixelSize(std::max(6, line * 62 / 100));
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(QRect(pad, 0, width - 2 * pad, line), Qt::AlignVCenter | Qt::AlignLeft, QString::fromStdString(facts.dateTime));
    painter.drawText(QRect(pad, 0, width - 2 * pad, line), Qt::AlignVCenter | Qt::AlignRight, QString::fromStdString(facts.speed));
    font.setBold(false);
    painter.setFont(font);
    painter.drawText(QRect(pad, line, width - 2 * pad, line), Qt::AlignVCenter | Qt::AlignLeft,
                     QString::fromStdString(facts.position.empty() ? std::string("no GPS fix") : facts.position));

    char gText[32] = "G  --";
    if (facts.gForce >= 0)
        std::snprintf(gText, sizeof gText, "G %.2f g", facts.gForce);
    const int labelWidth = width * 30 / 100;
    painter.drawText(QRect(pad, 2 * line, labelWidth, line), Qt::AlignVCenter | Qt::AlignLeft, gText);
    const QRectF track(pad + labelWidth, 2 * line + line * 0.3, width - 2 * pad - labelWidth, line * 0.4);
    painter.setPen(QPen(QColor(255, 255, 255, 200), std::max(1, line / 20)));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(track);
    if (facts.gForce >= 0) {
        const double share = std::clamp(facts.gForce / kFullScaleG, 0.0, 1.0);
        const QColor colour = facts.gForce < 1.5 ? QColor(80, 220, 80) : (facts.gForce < 2.2 ? QColor(250, 200, 40) : QColor(240, 60, 50));
        painter.setPen(Qt::NoPen);
        painter.setBrush(colour);
        painter.drawRect(QRectF(track.left(), track.top(), track.width() * share, track.height()));
        // 1 g, the force at rest, as a tick.
        painter.setPen(QPen(Qt::white, std::max(1, line / 20)));
        const double oneG = track.left() + track.width() / kFullScaleG;
        painter.drawLine(QPointF(oneG, track.top() - line * 0.1), QPointF(oneG, track.bottom() + line * 0.1));
    }
    painter.end();
    return image;
}
