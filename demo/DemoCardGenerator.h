#pragma once

#include "demo/DemoCardOptions.h"
#include "demo/DemoCardPlan.h"
#include "demo/DemoMorning.h"

#include <QByteArray>
#include <QString>

#include <map>

// Writes the recordings and odd files of a demo card. Each camera's picture
// stream is encoded once and every recording of that camera reuses it with
// its own stretch of the drive in the data track.
class DemoCardGenerator {
public:
    explicit DemoCardGenerator(const DemoCardOptions &options);

    const DemoCardPlan &plan() const { return m_plan; }
    // The recordings writeRecordings writes, the morning's included.
    std::size_t recordingCount() const;

    // An empty text on success, else what went wrong.
    QString writeRecordings();

private:
    QString encodeStreams();
    // The crash: an event pair cut off in the middle of a chunk, between healthy pairs.
    QString writeCutOffEvent() const;
    QString writeFile(const std::string &relativePath, const std::vector<std::uint8_t> &bytes) const;
    QString writeRecording(const DemoCardPlan::Recording &recording, const std::vector<BlackBoxSample> &samples,
                           std::vector<std::uint8_t> *bytesOut = nullptr) const;
    std::vector<std::uint8_t> recordingBytes(const DemoCardPlan::Recording &recording,
                                             const std::vector<BlackBoxSample> &samples) const;

    DemoCardOptions m_options;
    DemoCardPlan m_plan;
    DemoMorning m_morning;
    std::map<DemoCardPlan::Camera, std::vector<std::uint8_t>> m_encoded;
};
