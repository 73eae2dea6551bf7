#include "settings/VRDDriveInfoTableModel.h"

#include "devicedata/VRDDriveInfoColumns.h"

#include <limits>

VRDDriveInfoTableModel::VRDDriveInfoTableModel(QStringList columnNames, QObject *parent)
    : QAbstractTableModel(parent)
    , m_columnNames(std::move(columnNames))
    , m_log(std::make_shared<const VRDDriveInfoLog>())
{
}

void VRDDriveInfoTableModel::setLog(std::shared_ptr<const VRDDriveInfoLog> log)
{
    beginResetModel();
    m_log = log ? std::move(log) : std::make_shared<const VRDDriveInfoLog>();
    endResetModel();
}

int VRDDriveInfoTableModel::rowCount(const QModelIndex &parent) const
{
    if (parent.isValid())
        return 0;
    // A view counts rows in int; the log's 32-bit count could exceed it.
    return static_cast<int>(std::min<std::int64_t>(m_log->count(), std::numeric_limits<int>::max()));
}

int VRDDriveInfoTableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(VRDDriveInfoColumns::kCount);
}

QVariant VRDDriveInfoTableModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return {};
    if (role == Qt::DisplayRole)
        return QString::fromStdString(m_log->stringForColumnIndex(index.column(), index.row()));
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(Qt::Alignment(Qt::AlignRight | Qt::AlignVCenter));
    return {};
}

QVariant VRDDriveInfoTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= m_columnNames.size())
        return QAbstractTableModel::headerData(section, orientation, role);
    if (role == Qt::DisplayRole)
        return m_columnNames.at(section);
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(Qt::Alignment(Qt::AlignCenter));
    return {};
}

Qt::ItemFlags VRDDriveInfoTableModel::flags(const QModelIndex &index) const
{
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}
