#pragma once

#include "blackbox/VRDBlackBoxSnapshot.h"

#include <QList>
#include <QObject>
#include <QPointF>
#include <QString>
#include <memory>
#include <vector>

class QLabel;

// Shows the embedded data of the recording that plays at the play position:
// the G-sensor values, the speed, the precision and the satellites in their
// fields, and the position as script calls for the map page. Samples are
// picked by position alone (sample i of n covers i/n to (i+1)/n).
class VRDSensorDisplay : public QObject
{
    Q_OBJECT

public:
    struct Fields {
        QLabel *gsensorXField = nullptr;
        QLabel *gsensorYField = nullptr;
        QLabel *gsensorZField = nullptr;
        QLabel *speedField = nullptr;
        QLabel *hdopField = nullptr;
        QLabel *sateliteField = nullptr;
    };

    explicit VRDSensorDisplay(Fields fields, QObject *parent = nullptr);

    // The lists of a finished extraction; the whole route goes to the map once.
    void setSnapshot(std::shared_ptr<const VRDBlackBoxSnapshot> snapshot);
    // The texts a new recording starts with.
    void resetFields();

    void updateGsensorUIByPlayPositon(double position);
    void updateGpsUIByPlayPosition(double position);

    // trunc(position × count), count − 1 when that is not below count
    // (a negative index counts as too large). count must not be 0.
    static std::size_t sampleIndex(double position, std::size_t count);
    static QString gsensorText(char axis, float value);
    static QString speedText(const VRDGpsData &fix);
    // The map call for a fix: longitude first, south and west negative.
    static QString setLatLagScript(const VRDGpsData &fix);
    // The recording's own fixes, one per sample, as latitude (x) and longitude (y)
    // in decimal degrees; fixes at 0/0 (no reception) are left out.
    static QList<QPointF> route(const VRDBlackBoxSnapshot &snapshot);

signals:
    // A script call to evaluate in the map page.
    void mapScriptRequested(const QString &script);
    void routeChanged(const QList<QPointF> &latitudeLongitude);

private:
    Fields m_fields;
    std::shared_ptr<const VRDBlackBoxSnapshot> m_snapshot;
    // The fixes as shown; a satellite count out of range is set to 0 here, so
    // the fix keeps showing 0 afterwards.
    std::vector<VRDGpsData> m_NMEAs;
};
