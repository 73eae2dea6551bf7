#include "maps/TKMapSource.h"

#include "maps/TKViewerIdentity.h"

#include <QSettings>

namespace {

const QString kKindKey = QStringLiteral("map/source");
const QString kPathKey = QStringLiteral("map/mbtiles");

QString kindName(TKTileSourceKind kind)
{
    switch (kind) {
    case TKTileSourceKind::KeptOnly:
        return QStringLiteral("kept");
    case TKTileSourceKind::MBTilesFile:
        return QStringLiteral("mbtiles");
    case TKTileSourceKind::Online:
        break;
    }
    return QStringLiteral("online");
}

} // namespace

TKMapSource TKMapSource::load(QSettings &settings)
{
    TKMapSource source;
    const QString kind = settings.value(kKindKey).toString();
    source.mbtilesPath = settings.value(kPathKey).toString();
    if (kind == kindName(TKTileSourceKind::KeptOnly))
        source.kind = TKTileSourceKind::KeptOnly;
    else if (kind == kindName(TKTileSourceKind::MBTilesFile) && !source.mbtilesPath.isEmpty())
        source.kind = TKTileSourceKind::MBTilesFile;
    return source;
}

void TKMapSource::save(QSettings &settings) const
{
    settings.setValue(kKindKey, kindName(kind));
    settings.setValue(kPathKey, mbtilesPath);
}

TKMapSource TKMapSource::viewerChoice()
{
    QSettings settings(QString::fromLatin1(TKViewerIdentity::kOrganization), QString::fromLatin1(TKViewerIdentity::kApplication));
    return load(settings);
}
