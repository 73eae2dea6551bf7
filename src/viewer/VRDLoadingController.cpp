#include "viewer/VRDLoadingController.h"

#include "widgets/PMProgressIndicator.h"

VRDLoadingController::VRDLoadingController(PMProgressIndicator &indicator, QObject *parent)
    : QObject(parent), m_indicator(indicator)
{
    m_stepTimer.setSingleShot(true);
    m_stepTimer.setInterval(kStepMs);
    connect(&m_stepTimer, &QTimer::timeout, this, [this] { updateLoadingWindow(m_seconds); });
    m_indicator.hide();
}

void VRDLoadingController::showLoading(const QString &)
{
    m_indicator.setIndeterminate(true);
    m_stopVideoLoadingView = false;
    m_progress = 0.0;
    m_indicator.show();
    m_indicator.setDoubleValue(m_indicator.minValue());
    m_seconds = kDefaultSeconds;
    m_stepTimer.start();
}

void VRDLoadingController::updateLoadingWindow(double seconds)
{
    m_progress += 100.0 / (seconds / (kStepMs / 1000.0));
    m_indicator.setDoubleValue(m_progress);
    if (m_progress < 100.0 && !m_stopVideoLoadingView) {
        m_seconds = seconds;
        m_stepTimer.start();
        return;
    }
    m_indicator.setDoubleValue(m_indicator.minValue());
    m_indicator.hide();
    m_stopVideoLoadingView = true;
}

void VRDLoadingController::hideLoading()
{
    m_stopVideoLoadingView = true;
}
