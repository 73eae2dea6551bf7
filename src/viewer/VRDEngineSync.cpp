#include "viewer/VRDEngineSync.h"

#include "player/VRDMediaEngine.h"

#include <algorithm>
#include <cstdlib>

namespace {

using State = VRDMediaEngine::State;

// Polling is only this fine while a follower waits to be let go.
constexpr int kCatchUpPollMs = 4;
constexpr qint64 kLongestLeadMs = 2000;
constexpr int kMostCatchUpAttempts = 4;
// Let the follower go this much before the master reaches it: unpausing takes
// about that long to show the next frame.
constexpr qint64 kReleaseEarlyMs = 6;

} // namespace

VRDEngineSync::VRDEngineSync(VRDMediaEngine &master, VRDMediaEngine &follower, QObject *parent)
    : QObject(parent), m_master(master), m_follower(follower)
{
    m_checkTimer.setInterval(kCheckIntervalMs);
    connect(&m_checkTimer, &QTimer::timeout, this, &VRDEngineSync::check);
    m_checkTimer.start();
    m_catchUp.setInterval(kCatchUpPollMs);
    m_catchUp.setTimerType(Qt::PreciseTimer);
    connect(&m_catchUp, &QTimer::timeout, this, &VRDEngineSync::catchUpStep);
}

void VRDEngineSync::setHeld(bool held)
{
    m_held = held;
    if (held)
        cancelCatchUp();
}

qint64 VRDEngineSync::drift() const
{
    return m_follower.time() - m_master.time();
}

double VRDEngineSync::nudgeFactor(qint64 driftMs)
{
    if (std::abs(driftMs) <= kDeadBandMs)
        return 1.0;
    return 1.0 - std::clamp(static_cast<double>(driftMs) * kNudgePerMs, -kMaxNudge, kMaxNudge);
}

bool VRDEngineSync::bothHaveMedia() const
{
    return m_master.hasMedia() && m_follower.hasMedia();
}

void VRDEngineSync::followMasterRate(double factor)
{
    const float rate = static_cast<float>(m_master.rate() * factor);
    if (m_follower.rate() != rate)
        m_follower.setRate(rate);
}

void VRDEngineSync::alignNow(qint64 firstLeadMs)
{
    cancelCatchUp();
    if (!bothHaveMedia())
        return;
    if (m_master.state() == State::Playing) {
        m_catchUpAttempts = 0;
        startCatchUp(firstLeadMs);
    } else {
        followMasterRate(1.0);
        m_follower.setTime(m_master.time());
    }
}

void VRDEngineSync::check()
{
    if (m_held || m_catchUp.isActive() || !bothHaveMedia() || m_master.length() <= 0)
        return;
    const State master = m_master.state();
    const State follower = m_follower.state();
    const qint64 driftMs = drift();
    if (master == State::Playing && follower == State::Playing) {
        if (std::abs(driftMs) >= kAlignDriftMs)
            alignNow();
        else
            followMasterRate(nudgeFactor(driftMs));
    } else if (master == State::Paused && follower == State::Paused && std::abs(driftMs) > kFrameMs / 2) {
        followMasterRate(1.0);
        m_follower.setTime(m_master.time());
    }
}

void VRDEngineSync::startCatchUp(qint64 leadMs)
{
    ++m_catchUpAttempts;
    m_catchUpLead = leadMs;
    m_masterClockValid = false;
    m_lastMasterTime = m_master.time();
    m_catchUpTarget = std::min(m_master.time() + static_cast<qint64>(leadMs * m_master.rate()),
                               std::max<qint64>(m_master.length() - kFrameMs, 0));
    followMasterRate(1.0);
    m_follower.pause();
    m_follower.setTime(m_catchUpTarget);
    m_catchUp.start();
}

void VRDEngineSync::catchUpStep()
{
    if (!bothHaveMedia() || m_master.state() != State::Playing) {
        m_catchUp.stop();
        if (bothHaveMedia() && m_master.state() == State::Paused)
            m_follower.setTime(m_master.time());
        return;
    }
    const qint64 masterTime = m_master.time();
    if (masterTime != m_lastMasterTime) {
        m_lastMasterTime = masterTime;
        m_sinceMasterTimeChanged.start();
        m_masterClockValid = true;
    }
    if (!m_masterClockValid)
        return;
    const qint64 masterNow = masterTime
        + static_cast<qint64>(m_sinceMasterTimeChanged.elapsed() * static_cast<double>(m_master.rate()));
    if (masterNow + kReleaseEarlyMs < m_catchUpTarget)
        return;
    if (masterNow > m_catchUpTarget + 2 * kFrameMs && m_catchUpAttempts < kMostCatchUpAttempts) {
        // The follower's seek took longer than the lead: park it further ahead.
        m_catchUp.stop();
        startCatchUp(std::min(m_catchUpLead * 2, kLongestLeadMs));
        return;
    }
    m_catchUp.stop();
    m_follower.play();
}

void VRDEngineSync::cancelCatchUp()
{
    if (!m_catchUp.isActive())
        return;
    m_catchUp.stop();
    // The follower was parked for the catch-up, not paused by the user.
    if (bothHaveMedia() && m_master.state() == State::Playing)
        m_follower.play();
}
