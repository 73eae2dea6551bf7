#pragma once

#include <QObject>
#include <QTimer>

class PMProgressIndicator;

// The loading indicator of the main window: it fills in 0.3-second steps while
// a recording is prepared and hides at the first step after playback began.
class VRDLoadingController : public QObject
{
    Q_OBJECT

public:
    static constexpr int kStepMs = 300;
    static constexpr double kDefaultSeconds = 15.0;

    explicit VRDLoadingController(PMProgressIndicator &indicator, QObject *parent = nullptr);

    // The title is not shown; the bar tells enough.
    void showLoading(const QString &title);
    void updateLoadingWindow(double seconds);
    void hideLoading();

    double progress() const { return m_progress; }
    bool stopVideoLoadingView() const { return m_stopVideoLoadingView; }

private:
    PMProgressIndicator &m_indicator;
    // One timer, so a new run replaces the steps of an earlier one.
    QTimer m_stepTimer;
    double m_progress = 0.0;
    double m_seconds = kDefaultSeconds;
    bool m_stopVideoLoadingView = true;
};
