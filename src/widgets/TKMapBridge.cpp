#include "widgets/TKMapBridge.h"

#include "widgets/TKWidgetsLog.h"

#include <cmath>

namespace {

bool isDegrees(const QJsonValue &value, double limit)
{
    return value.isDouble() && std::isfinite(value.toDouble()) && std::abs(value.toDouble()) <= limit;
}

} // namespace

void TKMapBridge::routeClicked(const QJsonValue &latitude, const QJsonValue &longitude)
{
    if (!isDegrees(latitude, 90.0) || !isDegrees(longitude, 180.0)) {
        qCWarning(lcWidgets, "map page: a route click without a place in range was ignored");
        return;
    }
    emit routePicked(latitude.toDouble(), longitude.toDouble());
}
