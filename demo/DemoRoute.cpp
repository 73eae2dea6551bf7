#include "demo/DemoRoute.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

constexpr double kEarthRadiusMetres = 6371000.0;

double radians(double degrees)
{
    return degrees * std::numbers::pi / 180.0;
}

// East and north offsets in metres; the ring is small enough for a flat map.
void offsetMetres(double lat1, double lon1, double lat2, double lon2, double &east, double &north)
{
    east = radians(lon2 - lon1) * kEarthRadiusMetres * std::cos(radians((lat1 + lat2) / 2));
    north = radians(lat2 - lat1) * kEarthRadiusMetres;
}

} // namespace

DemoRoute::DemoRoute()
    : m_points{
        {48.13905, 11.56590}, // Karlsplatz (Stachus)
        {48.13620, 11.56530}, // Sonnenstraße
        {48.13390, 11.56740}, // Sendlinger Tor
        {48.13300, 11.57200}, // Blumenstraße
        {48.13260, 11.57700}, // Blumenstraße by the Viktualienmarkt
        {48.13330, 11.57960}, // Frauenstraße
        {48.13530, 11.58180}, // Isartor
        {48.13790, 11.58430}, // Thomas-Wimmer-Ring
        {48.13980, 11.58510}, // Karl-Scharnagl-Ring by the Maxmonument
        {48.14230, 11.58560}, // Karl-Scharnagl-Ring north
        {48.14430, 11.57900}, // Von-der-Tann-Straße at Ludwigstraße
        {48.14460, 11.57300}, // Oskar-von-Miller-Ring
        {48.14200, 11.57000}, // Maximiliansplatz
        {48.14040, 11.56800}, // Lenbachplatz
        {48.13905, 11.56590}, // back at Karlsplatz
    }
{
    m_cumulative.push_back(0);
    for (std::size_t i = 1; i < m_points.size(); ++i) {
        double east = 0;
        double north = 0;
        offsetMetres(m_points[i - 1].latitude, m_points[i - 1].longitude, m_points[i].latitude, m_points[i].longitude,
                     east, north);
        m_cumulative.push_back(m_cumulative.back() + std::hypot(east, north));
    }
}

DemoRoute::Position DemoRoute::positionAt(double distanceMetres) const
{
    double along = std::fmod(distanceMetres, lengthMetres());
    if (along < 0)
        along += lengthMetres();
    const auto next = std::upper_bound(m_cumulative.begin() + 1, m_cumulative.end() - 1, along);
    const auto segment = static_cast<std::size_t>(next - m_cumulative.begin());
    const Point &from = m_points[segment - 1];
    const Point &to = m_points[segment];
    const double fraction = (along - m_cumulative[segment - 1]) / (m_cumulative[segment] - m_cumulative[segment - 1]);
    double east = 0;
    double north = 0;
    offsetMetres(from.latitude, from.longitude, to.latitude, to.longitude, east, north);
    double course = std::atan2(east, north) * 180.0 / std::numbers::pi;
    if (course < 0)
        course += 360.0;
    return {from.latitude + (to.latitude - from.latitude) * fraction,
            from.longitude + (to.longitude - from.longitude) * fraction, course};
}
