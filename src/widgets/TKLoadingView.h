#pragma once

#include <QString>
#include <QTimer>
#include <QWidget>

class QBoxLayout;
class QLabel;
class PMProgressIndicator;

// A busy bar with a line of text that shows while slow work runs, and a
// ticker that moves the bar and ends the display by itself after a time
// limit, should nobody end it. The settings window shows it in its loading
// sheet, the format window beside its buttons.
class TKLoadingView : public QWidget
{
    Q_OBJECT

public:
    explicit TKLoadingView(QWidget *parent = nullptr);

    // The text above the bar (the default) or beside it.
    void setTextBesideBar(bool beside);
    // A tick every tickMs; the display ends by itself after limitSeconds.
    void setTiming(int tickMs, double limitSeconds);

    PMProgressIndicator *bar() const { return m_bar; }
    QLabel *messageField() const { return m_message; }

    // Shows the view with `message`, the bar at its start, and starts ticking.
    void start(const QString &message);
    void setMessage(const QString &message);
    // Ends the display at the next tick.
    void stopAtNextTick();
    // Ends the display now.
    void stop();
    // One tick: moves the bar by one tick's share of limitSeconds and ends
    // the display when the bar is full or a stop was asked for.
    void tick(double limitSeconds);

    bool isStopped() const { return m_stopped; }
    double progress() const { return m_progress; }

signals:
    void messageChanged(const QString &message);
    // The display ended (by a tick or by stop).
    void stopped();

private:
    PMProgressIndicator *m_bar;
    QLabel *m_message;
    QBoxLayout *m_layout;
    QTimer m_timer;
    double m_limitSeconds = 15.0;
    int m_ticks = 0;
    double m_progress = 0.0;
    bool m_stopped = true;
    bool m_stopAtNextTick = false;
};
