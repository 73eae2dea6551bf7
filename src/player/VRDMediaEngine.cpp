#include "player/VRDMediaEngine.h"

#include <algorithm>

int VRDMediaEngine::clampedVolume(int volume)
{
    return std::clamp(volume, kMinVolume, kMaxVolume);
}
