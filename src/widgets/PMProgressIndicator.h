#pragma once

#include <QPointer>
#include <QProgressBar>
#include <QString>
#include <functional>
#include <optional>

class QLabel;
class PMProgressIndicatorController;

// A progress bar that shows its progress on the application icon too and keeps
// an attached text field up to date with the share done and the time left.
// Values are doubles; the base bar only mirrors them for display.
class PMProgressIndicator : public QProgressBar
{
    Q_OBJECT

public:
    // Seconds on a monotonic clock; tests hand in their own.
    using Clock = std::function<double()>;

    explicit PMProgressIndicator(QWidget *parent = nullptr);
    ~PMProgressIndicator() override;

    void setClock(Clock clock);
    // The shared controller of the application unless set otherwise.
    void setController(PMProgressIndicatorController *controller);

    void setProgressText(QLabel *label);
    QLabel *progressText() const { return m_progressText; }

    void setDoubleRange(double minimum, double maximum);
    double minValue() const { return m_minimum; }
    double maxValue() const { return m_maximum; }

    // An indeterminate bar shows the toolkit's busy animation while visible.
    void setIndeterminate(bool indeterminate);
    bool isIndeterminate() const { return m_indeterminate; }

    void setDoubleValue(double value);
    double doubleValue() const { return m_value; }
    double fraction() const;

    void updateProgressText();
    void display();

    void setDrawDockProgress(bool draw);
    bool drawDockProgress() const { return m_drawDockProgress; }
    void setDisplayPercentage(bool display) { m_displayPercentage = display; }
    bool displayPercentage() const { return m_displayPercentage; }
    void setDisplayTimeRemaining(bool display) { m_displayTimeRemaining = display; }
    bool displayTimeRemaining() const { return m_displayTimeRemaining; }

    static QString timeRemainingText(double secondsLeft);

private:
    void mirrorValueOnBar();
    std::optional<QString> estimateText(double currentFraction, double now);

    QLabel *m_progressText = nullptr;
    QPointer<PMProgressIndicatorController> m_controller;
    Clock m_clock;
    std::optional<double> m_startTime;
    std::optional<double> m_startTime2;
    bool m_drawDockProgress = true;
    bool m_displayPercentage = false;
    bool m_displayTimeRemaining = true;
    bool m_indeterminate = false;
    double m_startFraction = 0.0;
    double m_startFraction2 = 0.0;
    int m_lastValue = 0;
    double m_minimum = 0.0;
    double m_maximum = 100.0;
    double m_value = 0.0;
};
