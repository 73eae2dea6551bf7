#include "trips/VRDPartialTrips.h"

#include <algorithm>

VRDPartialTrips::VRDPartialTrips(const VRDTripBuilder &builder, const std::vector<VRDTripRecording> &recordings,
                                 Delivery deliver, std::chrono::milliseconds interval)
    : m_builder(builder), m_recordings(recordings), m_deliver(std::move(deliver)), m_interval(interval)
{
    m_thread = std::jthread([this](std::stop_token stop) { run(stop); });
}

VRDPartialTrips::~VRDPartialTrips()
{
    m_thread.request_stop();
    m_thread.join();
}

void VRDPartialTrips::arrived(std::size_t index)
{
    const std::lock_guard lock(m_lock);
    m_arrived.push_back(index);
}

void VRDPartialTrips::run(std::stop_token stop)
{
    std::vector<const VRDTripRecording *> ready;
    std::size_t published = 0;
    std::chrono::steady_clock::duration wait = m_interval;
    while (true) {
        {
            std::unique_lock lock(m_lock);
            // Only a stop ends the wait early.
            m_wake.wait_for(lock, stop, wait, [] { return false; });
            if (stop.stop_requested())
                return;
            for (std::size_t i = ready.size(); i < m_arrived.size(); ++i)
                ready.push_back(&m_recordings[m_arrived[i]]);
        }
        if (ready.size() == published)
            continue;
        const auto start = std::chrono::steady_clock::now();
        auto trips = std::make_shared<const std::vector<VRDTrip>>(m_builder.build(ready));
        if (stop.stop_requested())
            return;
        published = ready.size();
        m_deliver({std::move(trips), published, m_recordings.size()});
        wait = std::max<std::chrono::steady_clock::duration>(m_interval, 2 * (std::chrono::steady_clock::now() - start));
    }
}
