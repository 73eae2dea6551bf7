#include "widgets/PMProgressIndicator.h"

#include "widgets/PMProgressIndicatorController.h"

#include <QLabel>
#include <algorithm>
#include <chrono>
#include <cmath>

namespace {

constexpr double kBoundTolerance = 0.00001;
constexpr double kEstimateWindowSeconds = 3.5;
constexpr double kMinimumEstimateAgeSeconds = 0.5;
// The base bar mirrors the double value on this many steps.
constexpr int kBarSteps = 10000;

double steadySeconds()
{
    using namespace std::chrono;
    return duration<double>(steady_clock::now().time_since_epoch()).count();
}

} // namespace

PMProgressIndicator::PMProgressIndicator(QWidget *parent)
    : QProgressBar(parent),
      m_controller(PMProgressIndicatorController::sharedInstance()),
      m_clock(steadySeconds)
{
    setRange(0, kBarSteps);
    setValue(0);
    setTextVisible(false);
}

PMProgressIndicator::~PMProgressIndicator()
{
    setDrawDockProgress(false);
}

void PMProgressIndicator::setClock(Clock clock)
{
    m_clock = std::move(clock);
}

void PMProgressIndicator::setController(PMProgressIndicatorController *controller)
{
    if (m_controller != nullptr)
        m_controller->removeProgressIndicator(this);
    m_controller = controller;
}

void PMProgressIndicator::setProgressText(QLabel *label)
{
    m_progressText = label;
}

void PMProgressIndicator::setDoubleRange(double minimum, double maximum)
{
    m_minimum = minimum;
    m_maximum = maximum;
    mirrorValueOnBar();
}

void PMProgressIndicator::setIndeterminate(bool indeterminate)
{
    m_indeterminate = indeterminate;
    if (indeterminate)
        setRange(0, 0);
    else
        setRange(0, kBarSteps);
    mirrorValueOnBar();
}

double PMProgressIndicator::fraction() const
{
    const double span = m_maximum - m_minimum;
    return span > 0.0 ? (m_value - m_minimum) / span : 0.0;
}

void PMProgressIndicator::setDoubleValue(double value)
{
    // The icon and the text change at most once per whole unit.
    const int wholeUnits = static_cast<int>(value);
    if (wholeUnits == m_lastValue)
        return;
    m_value = value;
    m_lastValue = wholeUnits;
    mirrorValueOnBar();

    if (m_drawDockProgress && m_controller != nullptr) {
        m_controller->addProgressIndicator(this);
        const double f = fraction();
        if (f > 1.0 - kBoundTolerance || f < kBoundTolerance)
            m_controller->removeProgressIndicator(this);
    }
    if (m_progressText != nullptr)
        updateProgressText();
}

void PMProgressIndicator::mirrorValueOnBar()
{
    if (m_indeterminate)
        return;
    setValue(static_cast<int>(std::lround(std::clamp(fraction(), 0.0, 1.0) * kBarSteps)));
}

void PMProgressIndicator::display()
{
    if (m_drawDockProgress && m_controller != nullptr)
        m_controller->drawProgressIndicators();
    if (m_progressText != nullptr)
        m_progressText->repaint();
    repaint();
}

void PMProgressIndicator::setDrawDockProgress(bool draw)
{
    m_drawDockProgress = draw;
    if (m_controller == nullptr)
        return;
    if (draw)
        m_controller->addProgressIndicator(this);
    else
        m_controller->removeProgressIndicator(this);
}

std::optional<QString> PMProgressIndicator::estimateText(double currentFraction, double now)
{
    if (!m_startTime) {
        m_startTime = now;
        m_startFraction = currentFraction;
        return std::nullopt;
    }
    if (now - *m_startTime > kEstimateWindowSeconds && !m_startTime2) {
        m_startTime2 = now;
        m_startFraction2 = currentFraction;
    }
    // The estimate rests on the progress of the last 3.5 to 7 seconds.
    if (m_startTime2 && now - *m_startTime2 > kEstimateWindowSeconds) {
        m_startTime = m_startTime2;
        m_startFraction = m_startFraction2;
        m_startTime2.reset();
    }
    const double elapsed = now - *m_startTime;
    if (elapsed <= kMinimumEstimateAgeSeconds || !m_displayTimeRemaining)
        return std::nullopt;
    const double rate = (currentFraction - m_startFraction) / elapsed;
    // Without forward progress there is nothing to base an estimate on.
    if (!(rate > 0.0))
        return std::nullopt;
    return timeRemainingText((1.0 - currentFraction) / rate);
}

void PMProgressIndicator::updateProgressText()
{
    if (m_progressText == nullptr)
        return;
    if (m_indeterminate) {
        m_progressText->clear();
        return;
    }
    const double f = fraction();
    if (m_value < m_minimum + kBoundTolerance) {
        m_startTime.reset();
        m_startTime2.reset();
    }
    const bool firstSample = !m_startTime;
    const std::optional<QString> estimate = estimateText(f, m_clock());
    if (firstSample)
        m_progressText->clear();

    if (m_displayPercentage) {
        if (estimate)
            m_progressText->setText(QString::asprintf("%.0f %% completed - %s", f * 100.0,
                                                      qUtf8Printable(*estimate)));
        else
            m_progressText->setText(QString::asprintf("%.0f %% completed", f * 100.0));
    } else if (estimate) {
        m_progressText->setText(*estimate);
    }
}

QString PMProgressIndicator::timeRemainingText(double secondsLeft)
{
    struct Step {
        double above;
        const char *text;
    };
    static constexpr Step kSteps[] = {
        {555, "About ten minutes remaining"},   {495, "About nine minutes remaining"},
        {435, "About eight minutes remaining"}, {375, "About seven minutes remaining"},
        {315, "About six minutes remaining"},   {255, "About five minutes remaining"},
        {195, "About four minutes remaining"},  {135, "About three minutes remaining"},
        {75, "About two minutes remaining"},    {50, "About one minute remaining"},
        {10, "Less than a minute remaining"},   {5, "About ten seconds remaining"},
    };
    if (secondsLeft > 615) {
        const double minutes = std::min(secondsLeft / 60.0 + 0.75, 1.0e6);
        return QString::asprintf("About %d minutes remaining", static_cast<int>(minutes));
    }
    for (const Step &step : kSteps) {
        if (secondsLeft > step.above)
            return QString::fromLatin1(step.text);
    }
    return QStringLiteral("About five seconds remaining");
}
