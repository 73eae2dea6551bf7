#include "viewer/TKClipMarksOverlay.h"

#include <QEvent>
#include <QPainter>
#include <QSlider>
#include <QStyle>
#include <QStyleOptionSlider>

#include <algorithm>

namespace {

const QColor kMarkColour(90, 200, 250);

} // namespace

TKClipMarksOverlay::TKClipMarksOverlay(QSlider &slider)
    : QWidget(&slider), m_slider(slider)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setGeometry(slider.rect());
    slider.installEventFilter(this);
    hide();
}

void TKClipMarksOverlay::setMarks(std::optional<double> in, std::optional<double> out)
{
    m_in = in;
    m_out = out;
    setVisible(m_in || m_out);
    raise();
    update();
}

bool TKClipMarksOverlay::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == &m_slider && event->type() == QEvent::Resize)
        setGeometry(m_slider.rect());
    return QWidget::eventFilter(watched, event);
}

double TKClipMarksOverlay::xOf(double fraction) const
{
    // The groove runs between the handle's half widths.
    QStyleOptionSlider option;
    option.initFrom(&m_slider);
    option.orientation = Qt::Horizontal;
    const QRect handle = m_slider.style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, &m_slider);
    const double half = handle.width() / 2.0;
    return half + std::clamp(fraction, 0.0, 1.0) * (width() - 2 * half);
}

void TKClipMarksOverlay::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const double middle = height() / 2.0;
    if (m_in && m_out) {
        const double left = xOf(std::min(*m_in, *m_out));
        const double right = xOf(std::max(*m_in, *m_out));
        QColor band = kMarkColour;
        band.setAlpha(110);
        painter.fillRect(QRectF(left, middle - 4, right - left, 8), band);
    }
    painter.setPen(QPen(kMarkColour, 2));
    for (const std::optional<double> &mark : {m_in, m_out}) {
        if (mark)
            painter.drawLine(QPointF(xOf(*mark), 1), QPointF(xOf(*mark), height() - 1));
    }
    painter.setPen(kMarkColour);
    QFont font = painter.font();
    font.setPixelSize(std::max(8, height() / 2));
    font.setBold(true);
    painter.setFont(font);
    if (m_in)
        painter.drawText(QPointF(xOf(*m_in) + 3, font.pixelSize()), "I");
    if (m_out)
        painter.drawText(QPointF(xOf(*m_out) - font.pixelSize() * 0.6 - 3, font.pixelSize()), "O");
}
