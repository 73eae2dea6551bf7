#include "viewer/VRDSensorDisplay.h"

#include "blackbox/TKDegreesFromNmea.h"

#include <QLabel>
#include <cmath>

namespace {

// More than this is a corrupt count, not a sky.
constexpr std::uint32_t kMaxSatelliteCount = 25;
// flags value ('1') of a fix whose speed is in miles per hour.
constexpr std::int32_t kMilesPerHourFlag = 0x31;

void setText(QLabel *field, const QString &text)
{
    if (field != nullptr)
        field->setText(text);
}

double signedLatitude(const VRDGpsData &fix)
{
    const double value = std::fabs(fix.Latitude);
    return fix.NS == 'N' ? value : -value;
}

double signedLongitude(const VRDGpsData &fix)
{
    const double value = std::fabs(fix.Longitude);
    return fix.EW == 'E' ? value : -value;
}

} // namespace

VRDSensorDisplay::VRDSensorDisplay(Fields fields, QObject *parent)
    : QObject(parent), m_fields(fields)
{
}

void VRDSensorDisplay::setSnapshot(std::shared_ptr<const VRDBlackBoxSnapshot> snapshot)
{
    m_snapshot = std::move(snapshot);
    m_NMEAs = m_snapshot ? m_snapshot->NMEAs : std::vector<VRDGpsData>{};
    emit routeChanged(m_snapshot ? route(*m_snapshot) : QList<QPointF>{});
}

void VRDSensorDisplay::resetFields()
{
    setText(m_fields.gsensorXField, QStringLiteral("X=+0.00"));
    setText(m_fields.gsensorYField, QStringLiteral("Y=+0.00"));
    setText(m_fields.gsensorZField, QStringLiteral("Z=+0.00"));
    setText(m_fields.speedField, QString());
    setText(m_fields.hdopField, QString());
    setText(m_fields.sateliteField, QString());
}

std::size_t VRDSensorDisplay::sampleIndex(double position, std::size_t count)
{
    const double scaled = std::trunc(position * static_cast<double>(count));
    if (!(scaled >= 0.0) || scaled >= static_cast<double>(count))
        return count - 1;
    return static_cast<std::size_t>(scaled);
}

QString VRDSensorDisplay::gsensorText(char axis, float value)
{
    return QString::asprintf("%c=%s%.2lf", axis, value > 0 ? "+" : "", static_cast<double>(value));
}

QString VRDSensorDisplay::speedText(const VRDGpsData &fix)
{
    if (fix.SpeedOverGround < 0)
        return QStringLiteral("- Km/h");
    const int speed = static_cast<int>(fix.SpeedOverGround);
    return QString::asprintf(fix.flags == kMilesPerHourFlag ? "%d Mi/h" : "%d Km/h", speed);
}

QString VRDSensorDisplay::setLatLagScript(const VRDGpsData &fix)
{
    return QString::asprintf("setLatLag('%lf','%lf')", TKDegreesFromNmea(signedLongitude(fix)),
                             TKDegreesFromNmea(signedLatitude(fix)));
}

QList<QPointF> VRDSensorDisplay::route(const VRDBlackBoxSnapshot &snapshot)
{
    QList<QPointF> points;
    points.reserve(static_cast<qsizetype>(snapshot.RecordFixIndexes.size()));
    for (std::size_t index : snapshot.RecordFixIndexes) {
        if (index >= snapshot.NMEAs.size())
            continue;
        const VRDGpsData &fix = snapshot.NMEAs[index];
        if (fix.Latitude == 0.0 && fix.Longitude == 0.0)
            continue;
        points.append(QPointF(TKDegreesFromNmea(signedLatitude(fix)),
                              TKDegreesFromNmea(signedLongitude(fix))));
    }
    return points;
}

void VRDSensorDisplay::updateGsensorUIByPlayPositon(double position)
{
    if (!m_snapshot || m_snapshot->GSensors.empty())
        return;
    const VRDGSensor &sample = m_snapshot->GSensors[sampleIndex(position, m_snapshot->GSensors.size())];
    setText(m_fields.gsensorXField, gsensorText('X', sample.x));
    setText(m_fields.gsensorYField, gsensorText('Y', sample.y));
    setText(m_fields.gsensorZField, gsensorText('Z', sample.z));
}

void VRDSensorDisplay::updateGpsUIByPlayPosition(double position)
{
    if (m_NMEAs.empty()) {
        emit mapScriptRequested(QStringLiteral("VRDDebug('GPS Data Count=Zero')"));
        return;
    }
    VRDGpsData &fix = m_NMEAs[sampleIndex(position, m_NMEAs.size())];
    emit mapScriptRequested(setLatLagScript(fix));
    setText(m_fields.speedField, speedText(fix));
    setText(m_fields.hdopField, QString::asprintf("%.1f", fix.HDOP));
    if (fix.SatelliteUsedCount >= kMaxSatelliteCount)
        fix.SatelliteUsedCount = 0;
    setText(m_fields.sateliteField, QString::asprintf("%d", static_cast<int>(fix.SatelliteUsedCount)));
}
