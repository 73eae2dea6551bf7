#include "blackbox/VRDGpsData.h"

void VRDGpsData::clear()
{
    *this = VRDGpsData();
}

void VRDGpsData::updateFromObject(const VRDGpsData &other)
{
    *this = other;
}

VRDGpsData VRDGpsData::duplicate() const
{
    VRDGpsData copy;
    copy.updateFromObject(*this);
    return copy;
}

_PAIR VRDGpsData::SVonChannelAtIndex(int index) const
{
    return isChannel(index) ? SVonChannel[static_cast<std::size_t>(index)] : _PAIR{};
}

void VRDGpsData::setSVonChannel(_PAIR pair, int index)
{
    if (isChannel(index))
        SVonChannel[static_cast<std::size_t>(index)] = pair;
}

void VRDGpsData::setSVonChannelWithFirstSecond(std::uint8_t first, std::uint8_t second, int index)
{
    setSVonChannel(_PAIR{first, second}, index);
}

void VRDGpsData::setSVonChannelWithFirst(std::uint8_t first, int index)
{
    if (isChannel(index))
        SVonChannel[static_cast<std::size_t>(index)].first = first;
}

void VRDGpsData::setSVonChannelWithSecond(std::uint8_t second, int index)
{
    if (isChannel(index))
        SVonChannel[static_cast<std::size_t>(index)].second = second;
}

std::uint8_t VRDGpsData::SatelliteUsedAtIndex(int index) const
{
    return isChannel(index) ? SatelliteUsed[static_cast<std::size_t>(index)] : 0;
}

void VRDGpsData::setSatelliteUsed(std::uint8_t satellite, int index)
{
    if (isChannel(index))
        SatelliteUsed[static_cast<std::size_t>(index)] = satellite;
}
