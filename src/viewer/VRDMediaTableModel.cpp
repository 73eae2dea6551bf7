#include "viewer/VRDMediaTableModel.h"

#include "media/VRDMediaList.h"
#include "widgets/TKImage.h"
#include "widgets/TKLocalization.h"

#include <QFontDatabase>

namespace {

struct ColumnSpec {
    const char *identifier;
    const char *headingKey;
    Qt::Alignment alignment;
};

constexpr std::array<ColumnSpec, VRDMediaTableModel::ColumnCount> kColumns{{
    {"saveMode", "filelist.mode", Qt::AlignCenter},
    {"date", "filelist.date", Qt::AlignCenter},
    {"time", "filelist.time", Qt::AlignCenter},
    {"file", "filelist.file", Qt::AlignLeft | Qt::AlignVCenter},
}};

// The window's sizes are given in points, which Qt draws as logical pixels.
constexpr int kCellPointSize = 11;

bool hasKnownTime(const VRDMedia &media)
{
    return media.year() >= 1;
}

} // namespace

VRDMediaTableModel::VRDMediaTableModel(const VRDMediaList &mediaList, QObject *parent)
    : QAbstractTableModel(parent),
      m_mediaList(mediaList),
      m_cellFont(QFontDatabase::systemFont(QFontDatabase::GeneralFont))
{
    m_cellFont.setPixelSize(kCellPointSize);
    for (const ColumnSpec &column : kColumns)
        m_columnNames.append(TKLocalizedString(column.headingKey));
}

void VRDMediaTableModel::reload()
{
    beginResetModel();
    endResetModel();
}

QString VRDMediaTableModel::columnIdentifier(int column)
{
    if (column < 0 || column >= ColumnCount)
        return {};
    return QString::fromLatin1(kColumns[static_cast<std::size_t>(column)].identifier);
}

Qt::Alignment VRDMediaTableModel::columnAlignment(int column)
{
    if (column < 0 || column >= ColumnCount)
        return Qt::AlignLeft | Qt::AlignVCenter;
    return kColumns[static_cast<std::size_t>(column)].alignment;
}

QString VRDMediaTableModel::modeText(const VRDMedia &media)
{
    switch (media.mediaDivision()) {
    case VRDMedia::DivisionAlways:
        return TKLocalizedString("media.always");
    case VRDMedia::DivisionMotion:
        return TKLocalizedString("media.motion");
    case VRDMedia::DivisionEvent:
        return TKLocalizedString("media.event");
    default:
        return TKLocalizedString("media.unknown");
    }
}

QString VRDMediaTableModel::modeIconName(const VRDMedia &media)
{
    QLatin1String camera;
    if (media.isFrontMedia())
        camera = QLatin1String("front");
    else if (media.isRearMedia())
        camera = QLatin1String("rear");
    else
        return {};

    QLatin1String kind;
    if (media.isAlwaysMedia())
        kind = QLatin1String("alwa");
    else if (media.isMotionMedia())
        kind = QLatin1String("motion");
    else if (media.isEventMedia())
        kind = QLatin1String("event");
    else
        return {};
    return QStringLiteral("car_%1_%2").arg(camera, kind);
}

QString VRDMediaTableModel::dateText(const VRDMedia &media)
{
    if (!hasKnownTime(media))
        return {};
    return QString::asprintf("%04d-%02d-%02d", media.year(), media.month(), media.day());
}

QString VRDMediaTableModel::timeText(const VRDMedia &media)
{
    if (!hasKnownTime(media))
        return {};
    return QString::asprintf("%02d:%02d:%02d", media.hour(), media.minute(), media.second());
}

QIcon VRDMediaTableModel::modeIcon(const VRDMedia &media) const
{
    const QString name = modeIconName(media);
    if (name.isEmpty())
        return {};
    auto found = m_icons.constFind(name);
    if (found == m_icons.constEnd()) {
        // A selected row keeps the icon's colours, which tell the kind.
        QIcon icon;
        const QPixmap pixmap = TKImage::named(name).pixmap(2.0);
        icon.addPixmap(pixmap, QIcon::Normal);
        icon.addPixmap(pixmap, QIcon::Selected);
        found = m_icons.insert(name, icon);
    }
    return *found;
}

int VRDMediaTableModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_mediaList.count());
}

int VRDMediaTableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant VRDMediaTableModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return {};
    const std::shared_ptr<const VRDMedia> media =
        m_mediaList.mediaAtIndex(static_cast<std::size_t>(index.row()));
    if (!media)
        return {};
    switch (role) {
    case Qt::DisplayRole:
        switch (index.column()) {
        case SaveMode:
            return modeText(*media);
        case Date:
            return dateText(*media);
        case Time:
            return timeText(*media);
        case File:
            return QString::fromStdString(media->fileName());
        default:
            return {};
        }
    case Qt::DecorationRole:
        if (index.column() == SaveMode) {
            const QIcon icon = modeIcon(*media);
            return icon.isNull() ? QVariant() : QVariant(icon);
        }
        return {};
    case Qt::ToolTipRole:
        return QString::fromStdString(media->path());
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(columnAlignment(index.column()));
    case Qt::FontRole:
        return m_cellFont;
    default:
        return {};
    }
}

QVariant VRDMediaTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= ColumnCount)
        return QAbstractTableModel::headerData(section, orientation, role);
    switch (role) {
    case Qt::DisplayRole:
        return m_columnNames.at(section);
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(columnAlignment(section));
    case Qt::UserRole:
        return columnIdentifier(section);
    default:
        return {};
    }
}
