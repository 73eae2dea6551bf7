#include "viewer/VRDClipMarks.h"

#include <algorithm>

void VRDClipMarks::setIn(double seconds)
{
    m_in = std::max(0.0, seconds);
}

void VRDClipMarks::setOut(double seconds)
{
    m_out = std::max(0.0, seconds);
}

void VRDClipMarks::clear()
{
    m_in.reset();
    m_out.reset();
}

std::optional<std::pair<double, double>> VRDClipMarks::range() const
{
    if (!m_in || !m_out || *m_in == *m_out)
        return std::nullopt;
    return std::make_pair(std::min(*m_in, *m_out), std::max(*m_in, *m_out));
}

std::pair<double, double> VRDClipMarks::around(double now, double half)
{
    return {std::max(0.0, now - half), std::max(0.0, now) + half};
}
