// Writes seed cache files: a sound one with readable, unreadable and
// RMC-placed recordings, one with a damaged entry, one cut short.
#include "SeedCorpus.h"
#include "trips/VRDTrackCacheFormat.h"

namespace {

VRDRecordingTrack track(int samples, bool withRmc)
{
    VRDRecordingTrack t;
    t.readable = true;
    if (withRmc)
        t.rmcBaseUtc = 1710486720.0;
    for (int i = 0; i < samples; ++i) {
        VRDTrackSample s;
        s.offsetSeconds = static_cast<float>(i) / 10.0f;
        s.validFix = i % 7 != 3;
        s.latitudeE7 = 481000000 + i * 100;
        s.longitudeE7 = 115000000 + i * 150;
        s.speedCentiKmh = static_cast<std::uint16_t>(3000 + i);
        s.deviation = {static_cast<std::int16_t>(i == 12 ? 400 : 1), -2, 3};
        t.samples.push_back(s);
    }
    return t;
}

} // namespace

int main(int argc, char **argv)
{
    const std::optional<SeedCorpus> corpus = SeedCorpus::fromArguments(argc, argv);
    if (!corpus)
        return 1;
    const std::vector<VRDTrackCacheEntry> entries{
        {"/card/alwa_20240315_081200_F.MP4", 126000, 1710486720000000000, track(30, true)},
        {"/card/event_20240315_081203_F.MP4", 126000, 1710486723000000000, track(20, false)},
        {"/card/motion_20240315_091200_R.MP4", 5000, 1710490320000000000, track(15, true)},
        {"/card/alwa_20240315_091300_F.MP4", 10, 1, {}},
    };
    const std::string sound = VRDTrackCacheFormat::encode(entries);
    std::string damaged = sound;
    damaged[sound.size() / 2] = static_cast<char>(damaged[sound.size() / 2] ^ 0x40);
    const bool written = corpus->add("sound.cache", sound) && corpus->add("damaged.cache", damaged)
        && corpus->add("torn.cache", sound.substr(0, sound.size() * 2 / 3))
        && corpus->add("empty.cache", VRDTrackCacheFormat::encode({}));
    return written ? 0 : 1;
}
