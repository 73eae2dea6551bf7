#include "widgets/TKLoadingView.h"

#include "widgets/PMProgressIndicator.h"

#include <QBoxLayout>
#include <QLabel>

namespace {

constexpr int kBarWidthBesideText = 180;

} // namespace

TKLoadingView::TKLoadingView(QWidget *parent)
    : QWidget(parent)
    , m_bar(new PMProgressIndicator(this))
    , m_message(new QLabel(this))
    , m_layout(new QBoxLayout(QBoxLayout::TopToBottom, this))
{
    m_bar->setObjectName(QStringLiteral("bar"));
    m_message->setObjectName(QStringLiteral("messageField"));
    m_bar->setTextVisible(false);
    m_layout->setContentsMargins(0, 0, 0, 0);
    m_layout->setSpacing(10);
    m_layout->addWidget(m_message);
    m_layout->addWidget(m_bar);
    m_timer.setSingleShot(true);
    m_timer.setInterval(500);
    connect(&m_timer, &QTimer::timeout, this, [this] { tick(m_limitSeconds); });
}

void TKLoadingView::setTextBesideBar(bool beside)
{
    m_layout->removeWidget(m_message);
    m_layout->removeWidget(m_bar);
    if (beside) {
        m_layout->setDirection(QBoxLayout::LeftToRight);
        m_bar->setMaximumWidth(kBarWidthBesideText);
        m_message->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
        m_layout->addWidget(m_bar);
        m_layout->addWidget(m_message, 1);
    } else {
        m_layout->setDirection(QBoxLayout::TopToBottom);
        m_bar->setMaximumWidth(QWIDGETSIZE_MAX);
        m_layout->addWidget(m_message);
        m_layout->addWidget(m_bar);
    }
}

void TKLoadingView::setTiming(int tickMs, double limitSeconds)
{
    m_timer.setInterval(tickMs);
    m_limitSeconds = limitSeconds;
}

void TKLoadingView::start(const QString &message)
{
    m_bar->setIndeterminate(true);
    m_stopped = false;
    m_stopAtNextTick = false;
    m_ticks = 0;
    m_progress = 0.0;
    m_bar->setDoubleValue(m_bar->minValue());
    setMessage(message);
    show();
    m_timer.start();
}

void TKLoadingView::setMessage(const QString &message)
{
    if (message == m_message->text())
        return;
    m_message->setText(message);
    emit messageChanged(message);
}

void TKLoadingView::stopAtNextTick()
{
    m_stopAtNextTick = true;
}

void TKLoadingView::stop()
{
    m_timer.stop();
    m_bar->setDoubleValue(m_bar->minValue());
    m_bar->setIndeterminate(false);
    hide();
    const bool wasRunning = !m_stopped;
    m_stopped = true;
    if (wasRunning)
        emit stopped();
}

void TKLoadingView::tick(double limitSeconds)
{
    // Counted in whole ticks so that the limit is reached on its last tick
    // exactly, not one late through rounding.
    ++m_ticks;
    m_progress = m_ticks * (m_timer.interval() / 1000.0) * 100.0 / limitSeconds;
    m_bar->setDoubleValue(m_progress);
    if (m_progress >= 100.0 || m_stopAtNextTick) {
        stop();
        return;
    }
    m_timer.start();
}
