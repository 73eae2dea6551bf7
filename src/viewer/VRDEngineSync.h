#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

class VRDMediaEngine;

// Keeps the follower engine in step with the master all the time. A small drift
// is taken out by running the follower a few per cent faster or slower; a large
// one, or an explicit alignment after a seek, parks the follower paused a little
// ahead of the master and lets it go when the master's clock reaches it, so the
// follower never has to chase a moving target. Both paused: an exact seek.
class VRDEngineSync : public QObject
{
    Q_OBJECT

public:
    static constexpr int kCheckIntervalMs = 250;
    static constexpr qint64 kFrameMs = 33;
    // Inside this the follower runs at the master's rate.
    static constexpr qint64 kDeadBandMs = 12;
    // From this on nudging would take too long: align exactly.
    static constexpr qint64 kAlignDriftMs = 500;
    static constexpr double kMaxNudge = 0.05;
    // Nudge per millisecond of drift, so 100 ms drift gets the full nudge.
    static constexpr double kNudgePerMs = kMaxNudge / 100.0;

    VRDEngineSync(VRDMediaEngine &master, VRDMediaEngine &follower, QObject *parent = nullptr);

    // While held (a seek or swap is under way), nothing is corrected.
    void setHeld(bool held);
    bool isHeld() const { return m_held; }
    // Puts the follower exactly at the master's time, now or as soon as it can.
    // A playing follower is parked firstLeadMs ahead of the master; a file that
    // was only just opened needs a longer lead than the default, since its first
    // seek takes longer.
    static constexpr qint64 kFirstLeadMs = 150;
    void alignNow(qint64 firstLeadMs = kFirstLeadMs);
    bool isAligning() const { return m_catchUp.isActive(); }
    // Follower time minus master time in milliseconds.
    qint64 drift() const;

    // The follower's rate as a factor of the master's for a drift (positive:
    // the follower is ahead).
    static double nudgeFactor(qint64 driftMs);

private:
    void check();
    void startCatchUp(qint64 leadMs);
    void catchUpStep();
    void cancelCatchUp();
    void followMasterRate(double factor);
    bool bothHaveMedia() const;

    VRDMediaEngine &m_master;
    VRDMediaEngine &m_follower;
    QTimer m_checkTimer;
    QTimer m_catchUp;
    bool m_held = false;
    qint64 m_catchUpTarget = 0;
    qint64 m_catchUpLead = 0;
    int m_catchUpAttempts = 0;
    // The master's clock between its time reports: the last time seen and how
    // long ago it changed; invalid until a change has been seen.
    qint64 m_lastMasterTime = -1;
    QElapsedTimer m_sinceMasterTimeChanged;
    bool m_masterClockValid = false;
};
