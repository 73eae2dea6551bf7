#pragma once

#include "widgets/TKLauncherEntry.h"

#include <QImage>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QTimer>

class PMProgressIndicator;

// Draws the progress of every registered indicator onto a copy of the
// application icon, one 16-unit row each, and mirrors it on the launcher.
class PMProgressIndicatorController : public QObject
{
    Q_OBJECT

public:
    static constexpr int kIconSize = 128;
    static constexpr int kRowHeight = 16;

    explicit PMProgressIndicatorController(QObject *parent = nullptr);

    // The icon belongs to the application, so one controller lives as a
    // child of the application object and is made on first use.
    static PMProgressIndicatorController *sharedInstance();

    void addProgressIndicator(PMProgressIndicator *indicator);
    void removeProgressIndicator(PMProgressIndicator *indicator);
    int numProgressIndicators() const { return static_cast<int>(m_indicators.size()); }

    void drawProgressIndicators();
    void restoreIcon();

    // The icon as last drawn.
    QImage currentIcon() const { return m_currentIcon; }

private:
    void scheduleDraw();
    void drawDeterminateRow(QPainter &painter, const PMProgressIndicator &indicator, int top);
    void drawIndeterminateRow(QPainter &painter, int top);
    void publishIcon(const QImage &icon);

    QList<QPointer<PMProgressIndicator>> m_indicators;
    QImage m_startupIcon;
    QImage m_currentIcon;
    QImage m_blueProgress;
    QImage m_greyProgress;
    QImage m_barberProgress;
    QTimer m_drawTimer;
    TKLauncherEntry m_launcher;
    double m_lastBarberStep = 0.0;
    double m_barberOffset = 32.0;
};
