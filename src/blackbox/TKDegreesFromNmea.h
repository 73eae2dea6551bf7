#pragma once

// Converts a value in NMEA form ddmm.mmmm to decimal degrees. The sign of the
// value carries through to the result.
double TKDegreesFromNmea(double nmeaValue);
