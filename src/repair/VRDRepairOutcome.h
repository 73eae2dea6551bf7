#pragma once

#include <cstdint>
#include <string>

// What became of one recording given to recovery.
struct VRDRepairOutcome {
    enum class Status {
        Recovered,
        NotCutOff, // healthy: nothing written
        Failed,    // `error` says why in one line
    };
    Status status = Status::Failed;
    std::string input;
    std::string output;
    std::string reference;
    std::uint64_t videoFrames = 0;
    std::uint64_t audioFrames = 0;
    std::uint64_t dataSamples = 0;
    double seconds = 0.0;
    std::string error;
    bool writeProtected = false;
};
