#include "blackbox/TKDegreesFromNmea.h"

#include <cmath>

double TKDegreesFromNmea(double nmeaValue)
{
    const double hundredths = nmeaValue / 100.0;
    const double degrees = std::trunc(hundredths);
    return degrees + (hundredths - degrees) * 100.0 / 60.0;
}
