#include "demo/DemoCardPlan.h"
#include "demo/NmeaSentenceWriter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>

TEST(DemoCardPlan, StandardCardHasEveryNameForm)
{
    const DemoCardPlan plan({});
    std::vector<std::string> paths;
    for (const auto &recording : plan.recordings())
        paths.push_back(recording.relativePath);
    EXPECT_EQ(paths, (std::vector<std::string>{
                         "alwa_20240315_081200_F.MP4", "alwa_20240315_081200_R.MP4",
                         "alwa_20240315_081210_F.MP4", "alwa_20240315_081210_R.MP4",
                         "motion_20240315_081220_F.mp4", "motion_20240315_081220_R.mp4",
                         "event_20240315_081230_F.MP4", "event_20240315_081230_R.MP4",
                         "evtA_20240315_081240_F.MP4", "evtA_20240315_081240_R.MP4",
                         "EVENT/evtF_20240315_081250_F.MP4", "EVENT/evtF_20240315_081250_R.MP4",
                         "evtLL_20240315_081300_F.MP4", "evtLL_20240315_081300_R.MP4",
                         "evtLR_20240315_081310_F.MP4", "evtLR_20240315_081310_R.MP4",
                         "alwa_20240315_081320_F.MP4"}));
    ASSERT_EQ(plan.oddFiles().size(), 2u);
    EXPECT_EQ(plan.oddFiles()[0].relativePath, "alwa_20240315_081200_F.mov");
    EXPECT_EQ(plan.oddFiles()[1].relativePath, "alwa_20240315_08120_F.MP4");

    // Larger cards go on in time with always-on pairs; smaller ones stop early.
    const DemoCardPlan large({.durationSeconds = 60, .count = 20, .seed = 1});
    ASSERT_EQ(large.recordings().size(), 20u);
    EXPECT_EQ(large.recordings()[18].relativePath, "alwa_20240315_082100_R.MP4");
    EXPECT_EQ(large.recordings()[19].relativePath, "alwa_20240315_082200_F.MP4");
    EXPECT_EQ(DemoCardPlan({.durationSeconds = 10, .count = 3, .seed = 1}).recordings().size(), 3u);
    EXPECT_THROW(DemoCardPlan({.durationSeconds = 0, .count = 3, .seed = 1}), std::invalid_argument);
}

TEST(DemoCardPlan, DriveIsPlausibleAndSentencesAreWellFormed)
{
    const DemoCardPlan plan({});
    int sentences = 0;
    for (const auto &recording : plan.recordings()) {
        const auto samples = plan.samplesOf(recording);
        ASSERT_EQ(samples.size(), 100u);
        double strongestG = 0;
        for (const BlackBoxSample &sample : samples) {
            // Munich's old town, in ddmm.mmmm.
            EXPECT_GT(sample.latitude, 4807.5);
            EXPECT_LT(sample.latitude, 4809.0);
            EXPECT_GT(sample.longitude, 1133.5);
            EXPECT_LT(sample.longitude, 1135.5);
            EXPECT_GE(sample.speed, 0);
            EXPECT_LE(sample.speed, 70);
            EXPECT_GE(sample.satellites, 7);
            EXPECT_LE(sample.nmea.size(), 128u);
            strongestG = std::max({strongestG, std::abs(sample.gX / 256.0), std::abs(sample.gY / 256.0)});
            if (sample.nmea.empty())
                continue;
            ++sentences;
            ASSERT_GE(sample.nmea.size(), 6u);
            EXPECT_EQ(sample.nmea.substr(sample.nmea.size() - 2), "\r\n");
            const std::string sentence = sample.nmea.substr(0, sample.nmea.size() - 2);
            EXPECT_EQ(sentence, NmeaSentenceWriter::withChecksum(sentence.substr(1, sentence.size() - 4)));
        }
        // The one impact is in the event recording; the rest is city driving.
        EXPECT_EQ(strongestG > 2.0, recording.hasImpact) << recording.relativePath;
        EXPECT_EQ(recording.hasImpact, recording.relativePath.starts_with("event_"));
    }
    // Four sentences a second: most samples carry none.
    EXPECT_EQ(sentences, 17 * 40);
}
