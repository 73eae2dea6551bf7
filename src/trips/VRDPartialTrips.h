#pragma once

#include "trips/VRDTrip.h"
#include "trips/VRDTripBuilder.h"
#include "trips/VRDTripRecording.h"

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

// The drives of the recordings read so far, while the rest of the card is
// still being read: a thread of its own groups the recordings that arrived,
// at most once per interval (and never more than a third of its time, since
// grouping a large card takes a while), and hands each grouping on.
//
// Threading: arrived() may be called from any thread once the recording's
// track is in place and is not written again. The callback runs on the
// grouping thread. Stops and joins on destruction.
class VRDPartialTrips {
public:
    struct Snapshot {
        std::shared_ptr<const std::vector<VRDTrip>> trips;
        std::size_t recordingsRead = 0;
        std::size_t recordingsTotal = 0;
    };
    using Delivery = std::function<void(Snapshot)>;

    VRDPartialTrips(const VRDTripBuilder &builder, const std::vector<VRDTripRecording> &recordings, Delivery deliver,
                    std::chrono::milliseconds interval);
    ~VRDPartialTrips();

    VRDPartialTrips(const VRDPartialTrips &) = delete;
    VRDPartialTrips &operator=(const VRDPartialTrips &) = delete;

    void arrived(std::size_t index);

private:
    void run(std::stop_token stop);

    const VRDTripBuilder &m_builder;
    const std::vector<VRDTripRecording> &m_recordings;
    Delivery m_deliver;
    std::chrono::milliseconds m_interval;
    std::mutex m_lock;
    std::condition_variable_any m_wake;
    std::vector<std::size_t> m_arrived;
    std::jthread m_thread;
};
