#pragma once

#include "media/VRDMedia.h"

#include <QAbstractTableModel>
#include <QFont>
#include <QHash>
#include <QIcon>
#include <QStringList>
#include <array>

class VRDMediaList;

// The recording table: one row per recording of the library, in its order,
// with the columns kind-and-camera, date, time and file name.
class VRDMediaTableModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum Column { SaveMode = 0, Date = 1, Time = 2, File = 3, ColumnCount = 4 };

    explicit VRDMediaTableModel(const VRDMediaList &mediaList, QObject *parent = nullptr);

    // The library took a new list.
    void reload();

    static QString columnIdentifier(int column);
    static Qt::Alignment columnAlignment(int column);
    const QStringList &columnNames() const { return m_columnNames; }

    // "media.always" … as text, and "car_<camera>_<kind>" (empty when the
    // camera or the kind is not known).
    static QString modeText(const VRDMedia &media);
    static QString modeIconName(const VRDMedia &media);
    static QString dateText(const VRDMedia &media);
    static QString timeText(const VRDMedia &media);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    QIcon modeIcon(const VRDMedia &media) const;

    const VRDMediaList &m_mediaList;
    QStringList m_columnNames;
    QFont m_cellFont;
    // Six icons serve every row; they are made once.
    mutable QHash<QString, QIcon> m_icons;
};
