#pragma once

#include "devicedata/VRDDriveInfoLog.h"

#include <QAbstractTableModel>
#include <QStringList>

#include <memory>

// The drive-information log as a read-only table of 21 columns. Cells are
// formatted when the view asks for them, so a log of 100 000 records
// scrolls without delay. The log is shared and never changed; a new one
// replaces it whole.
class VRDDriveInfoTableModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    explicit VRDDriveInfoTableModel(QStringList columnNames, QObject *parent = nullptr);

    void setLog(std::shared_ptr<const VRDDriveInfoLog> log);
    const std::shared_ptr<const VRDDriveInfoLog> &log() const { return m_log; }
    const QStringList &columnNames() const { return m_columnNames; }

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

private:
    QStringList m_columnNames;
    std::shared_ptr<const VRDDriveInfoLog> m_log;
};
