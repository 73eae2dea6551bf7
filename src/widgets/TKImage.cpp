#include "widgets/TKImage.h"

#include <QFile>
#include <QPainter>
#include <QSvgRenderer>
#include <cmath>

namespace {

QString baseName(const QString &name)
{
    for (const char *extension : {".png", ".tif", ".tiff", ".svg"}) {
        if (name.endsWith(QLatin1String(extension), Qt::CaseInsensitive))
            return name.left(name.size() - int(qstrlen(extension)));
    }
    return name;
}

} // namespace

TKImage::TKImage(QString name, std::shared_ptr<QSvgRenderer> renderer)
    : m_name(std::move(name)), m_renderer(std::move(renderer))
{
}

QString TKImage::resourcePath(const QString &name)
{
    return QStringLiteral(":/images/%1.svg").arg(baseName(name));
}

bool TKImage::exists(const QString &name)
{
    return !name.isEmpty() && QFile::exists(resourcePath(name));
}

TKImage TKImage::named(const QString &name)
{
    if (!exists(name))
        return {};
    auto renderer = std::make_shared<QSvgRenderer>(resourcePath(name));
    if (!renderer->isValid())
        return {};
    return TKImage(baseName(name), std::move(renderer));
}

bool TKImage::isNull() const
{
    return !m_renderer;
}

QString TKImage::name() const
{
    return m_name;
}

QSize TKImage::size() const
{
    return m_renderer ? m_renderer->defaultSize() : QSize();
}

QPixmap TKImage::pixmap(qreal devicePixelRatio) const
{
    return pixmap(size(), devicePixelRatio);
}

QPixmap TKImage::pixmap(const QSize &logicalSize, qreal devicePixelRatio) const
{
    if (!m_renderer || logicalSize.isEmpty())
        return {};
    const QSize pixels(int(std::ceil(logicalSize.width() * devicePixelRatio)),
                       int(std::ceil(logicalSize.height() * devicePixelRatio)));
    QPixmap result(pixels);
    result.fill(Qt::transparent);
    QPainter painter(&result);
    m_renderer->render(&painter, QRectF(QPointF(0, 0), QSizeF(pixels)));
    painter.end();
    result.setDevicePixelRatio(devicePixelRatio);
    return result;
}

QIcon TKImage::icon() const
{
    if (!m_renderer)
        return {};
    QIcon icon(resourcePath(m_name));
    // Tool buttons show the Active mode under the pointer: give them the roll-over picture.
    if (m_name.endsWith(QLatin1String("_n")) && exists(m_name.chopped(2) + QLatin1String("_f")))
        icon.addFile(resourcePath(m_name.chopped(2) + QLatin1String("_f")), QSize(), QIcon::Active);
    return icon;
}

void TKImage::draw(QPainter &painter, const QRectF &target) const
{
    if (m_renderer && !target.isEmpty())
        m_renderer->render(&painter, target);
}
