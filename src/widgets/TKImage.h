#pragma once

#include <QIcon>
#include <QPixmap>
#include <QSize>
#include <QString>
#include <memory>

class QPainter;
class QRectF;
class QSvgRenderer;

// One named picture of the application's resources (":/images/<name>.svg").
// Pictures are vectors, so they are drawn crisp at every pixel density; their
// size in points is the SVG's own size. Names may carry the extension the
// windows were written with ("record_p.png", "blueProgress.tif"): it is ignored.
// Copies share one parsed picture.
class TKImage
{
public:
    TKImage() = default;

    // The picture of that name; a null image when the resources have none.
    static TKImage named(const QString &name);
    static bool exists(const QString &name);
    // ":/images/<name>.svg" for any name, whether or not it exists.
    static QString resourcePath(const QString &name);

    bool isNull() const;
    QString name() const;
    QSize size() const;

    // The picture at its own size, or at logicalSize, rendered for the ratio.
    QPixmap pixmap(qreal devicePixelRatio) const;
    QPixmap pixmap(const QSize &logicalSize, qreal devicePixelRatio) const;
    // An icon of the picture; for a button's "_n" picture, its "_f" picture is the Active mode.
    QIcon icon() const;
    // Draws the picture stretched over target in the painter's coordinates.
    void draw(QPainter &painter, const QRectF &target) const;

    friend bool operator==(const TKImage &a, const TKImage &b) { return a.m_name == b.m_name; }

private:
    TKImage(QString name, std::shared_ptr<QSvgRenderer> renderer);

    QString m_name;
    std::shared_ptr<QSvgRenderer> m_renderer;
};
