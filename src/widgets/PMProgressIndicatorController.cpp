#include "widgets/PMProgressIndicatorController.h"

#include "widgets/PMProgressIndicator.h"
#include "widgets/TKImage.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QIcon>
#include <QPainter>
#include <algorithm>
#include <chrono>
#include <cmath>

namespace {

constexpr int kRedrawDelayMs = 100;
constexpr double kBarberStride = 32.0;
constexpr auto kDesktopFileName = "tovik-viewer.desktop";

double steadySeconds()
{
    using namespace std::chrono;
    return duration<double>(steady_clock::now().time_since_epoch()).count();
}

QImage applicationIconImage()
{
    const QIcon icon = QGuiApplication::windowIcon();
    const int size = PMProgressIndicatorController::kIconSize;
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    if (!icon.isNull()) {
        QPainter painter(&image);
        icon.paint(&painter, image.rect());
    }
    return image;
}

// The bar pictures are SVGs of the resources, drawn at their own size in icon pixels.
QImage barImage(const char *name)
{
    return TKImage::named(QLatin1String(name)).pixmap(1.0).toImage();
}

} // namespace

PMProgressIndicatorController::PMProgressIndicatorController(QObject *parent)
    : QObject(parent),
      m_startupIcon(applicationIconImage()),
      m_currentIcon(m_startupIcon),
      m_blueProgress(barImage("blueProgress")),
      m_greyProgress(barImage("greyProgress")),
      m_barberProgress(barImage("barberProgress")),
      m_launcher(QString::fromLatin1(kDesktopFileName)),
      m_lastBarberStep(steadySeconds())
{
    m_drawTimer.setSingleShot(true);
    m_drawTimer.setInterval(kRedrawDelayMs);
    connect(&m_drawTimer, &QTimer::timeout, this,
            &PMProgressIndicatorController::drawProgressIndicators);
}

PMProgressIndicatorController *PMProgressIndicatorController::sharedInstance()
{
    QCoreApplication *application = QCoreApplication::instance();
    if (application == nullptr)
        return nullptr;
    auto *controller = application->findChild<PMProgressIndicatorController *>(
        QString(), Qt::FindDirectChildrenOnly);
    if (controller == nullptr)
        controller = new PMProgressIndicatorController(application);
    return controller;
}

void PMProgressIndicatorController::addProgressIndicator(PMProgressIndicator *indicator)
{
    if (indicator == nullptr || m_indicators.contains(indicator))
        return;
    m_indicators.append(indicator);
    scheduleDraw();
}

void PMProgressIndicatorController::removeProgressIndicator(PMProgressIndicator *indicator)
{
    if (m_indicators.removeAll(indicator) > 0)
        scheduleDraw();
}

void PMProgressIndicatorController::scheduleDraw()
{
    m_drawTimer.start();
}

void PMProgressIndicatorController::drawProgressIndicators()
{
    m_drawTimer.stop();
    m_indicators.removeAll(nullptr);
    QImage icon = m_startupIcon.copy();
    bool animating = false;
    if (!m_indicators.isEmpty()) {
        QPainter painter(&icon);
        painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
        for (qsizetype row = 0; row < m_indicators.size(); ++row) {
            // Rows grow upward from the bottom edge of the icon.
            const int top = kIconSize - kRowHeight * static_cast<int>(row + 1);
            const PMProgressIndicator &indicator = *m_indicators.at(row);
            if (indicator.isIndeterminate()) {
                drawIndeterminateRow(painter, top);
                animating = true;
            } else {
                drawDeterminateRow(painter, indicator, top);
            }
        }
    }
    if (animating)
        m_drawTimer.start();
    publishIcon(icon);
}

void PMProgressIndicatorController::drawDeterminateRow(QPainter &painter,
                                                       const PMProgressIndicator &indicator,
                                                       int top)
{
    const double span = indicator.maxValue() - indicator.minValue();
    const float filled = span > 0.0
        ? static_cast<float>(indicator.doubleValue() * kIconSize / span)
        : 0.0f;
    painter.drawImage(QPointF(filled - kIconSize, top), m_blueProgress);
    painter.drawImage(QPointF(filled, top), m_greyProgress);
}

void PMProgressIndicatorController::drawIndeterminateRow(QPainter &painter, int top)
{
    const double now = steadySeconds();
    double whole = 0.0;
    m_barberOffset += -1.5 * kBarberStride * std::modf(now - m_lastBarberStep, &whole);
    while (m_barberOffset < 0.0)
        m_barberOffset += kBarberStride;
    m_lastBarberStep = now;
    painter.drawImage(QPointF(-m_barberOffset, top), m_barberProgress);
}

void PMProgressIndicatorController::publishIcon(const QImage &icon)
{
    m_currentIcon = icon;
    if (qobject_cast<QGuiApplication *>(QCoreApplication::instance()) != nullptr)
        QGuiApplication::setWindowIcon(QIcon(QPixmap::fromImage(icon)));
    m_indicators.removeAll(nullptr);
    if (m_indicators.isEmpty()) {
        m_launcher.hideProgress();
        return;
    }
    const PMProgressIndicator &first = *m_indicators.constFirst();
    m_launcher.showProgress(first.isIndeterminate() ? 0.0 : std::clamp(first.fraction(), 0.0, 1.0));
}

void PMProgressIndicatorController::restoreIcon()
{
    publishIcon(m_startupIcon);
}
