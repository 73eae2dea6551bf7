#pragma once

#include "maps/TKTileAnswer.h"

#include <QString>

class QSettings;

// The map source the user chose in the preferences, kept in the application's settings.
struct TKMapSource {
    TKTileSourceKind kind = TKTileSourceKind::Online;
    QString mbtilesPath;  // used with MBTilesFile

    // Unknown or missing values give the online source.
    static TKMapSource load(QSettings &settings);
    void save(QSettings &settings) const;
    // The viewer's choice, read from its own settings by any program.
    static TKMapSource viewerChoice();

    friend bool operator==(const TKMapSource &, const TKMapSource &) = default;
};
