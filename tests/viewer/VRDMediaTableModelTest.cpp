#include "InlineMediaWalkRunner.h"
#include "media/VRDMediaList.h"
#include "viewer/VRDMediaTableModel.h"
#include "widgets/TKImage.h"

#include <QDir>
#include <QFile>
#include <QIcon>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

struct TableFixture : ::testing::Test {
    void addFiles(const QStringList &names)
    {
        for (const QString &name : names) {
            QFile file(folder.filePath(name));
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        }
        mediaList.setDirectoryPath(folder.path().toStdString());
        model.reload();
    }

    QString cell(int row, int column, int role = Qt::DisplayRole) const
    {
        return model.data(model.index(row, column), role).toString();
    }

    QTemporaryDir folder;
    InlineMediaWalkRunner runner;
    VRDMediaList mediaList{runner};
    VRDMediaTableModel model{mediaList};
};

} // namespace

TEST_F(TableFixture, ColumnsWithIdentifiersHeadingsAlignmentAndFont)
{
    ASSERT_EQ(model.columnCount(), 4);
    EXPECT_EQ(model.rowCount(), 0);
    const QStringList identifiers{"saveMode", "date", "time", "file"};
    const QStringList headings{"Mode", "Date", "Time", "File"};
    for (int column = 0; column < 4; ++column) {
        EXPECT_EQ(VRDMediaTableModel::columnIdentifier(column), identifiers[column]);
        EXPECT_EQ(model.headerData(column, Qt::Horizontal, Qt::UserRole).toString(),
                  identifiers[column]);
        EXPECT_EQ(model.headerData(column, Qt::Horizontal).toString(), headings[column]);
    }
    EXPECT_EQ(model.columnNames(), headings);
    EXPECT_EQ(VRDMediaTableModel::columnAlignment(0), Qt::AlignCenter);
    EXPECT_EQ(VRDMediaTableModel::columnAlignment(3), Qt::AlignLeft | Qt::AlignVCenter);

    addFiles({"alwa_20230115_143005_F.MP4"});
    EXPECT_EQ(model.data(model.index(0, 2), Qt::FontRole).value<QFont>().pixelSize(), 11);
    EXPECT_EQ(model.data(model.index(0, 1), Qt::TextAlignmentRole).value<Qt::Alignment>(),
              Qt::AlignCenter);
}

TEST_F(TableFixture, EveryKindAndCameraGetsItsTextAndIcon)
{
    addFiles({"alwa_20230115_143005_F.MP4", "alwa_20230115_143005_R.MP4",
              "motion_20230115_143105_F.mp4", "motion_20230115_143105_R.mp4",
              "event_20230115_143205_F.MP4", "evtLR_20230115_143305_R.MP4"});
    ASSERT_EQ(model.rowCount(), 6);
    const struct {
        const char *mode;
        const char *icon;
        const char *time;
    } expected[] = {
        {"Always", "car_front_alwa", "14:30:05"},  {"Always", "car_rear_alwa", "14:30:05"},
        {"Motion", "car_front_motion", "14:31:05"}, {"Motion", "car_rear_motion", "14:31:05"},
        {"Event", "car_front_event", "14:32:05"},   {"Event", "car_rear_event", "14:33:05"},
    };
    for (int row = 0; row < 6; ++row) {
        SCOPED_TRACE(row);
        EXPECT_EQ(cell(row, 0), expected[row].mode);
        EXPECT_EQ(VRDMediaTableModel::modeIconName(*mediaList.mediaAtIndex(row)), expected[row].icon);
        EXPECT_TRUE(TKImage::exists(expected[row].icon));
        EXPECT_FALSE(model.data(model.index(row, 0), Qt::DecorationRole).value<QIcon>().isNull());
        EXPECT_EQ(cell(row, 1), "2023-01-15");
        EXPECT_EQ(cell(row, 2), expected[row].time);
    }
    EXPECT_EQ(cell(2, 3), "motion_20230115_143105_F.mp4");
    EXPECT_TRUE(model.data(model.index(0, 1), Qt::DecorationRole).isNull());
}

TEST_F(TableFixture, UnknownTimeOrCameraLeavesCellsEmpty)
{
    // An unknown prefix keeps the camera; a month of 13 makes the camera unknown.
    addFiles({"abcd_20230115_143005_R.MP4", "alwa_20231315_143005_F.MP4"});
    ASSERT_EQ(model.rowCount(), 2);
    for (int row = 0; row < 2; ++row) {
        EXPECT_EQ(cell(row, 0), "Always");
        EXPECT_EQ(cell(row, 1), "");
        EXPECT_EQ(cell(row, 2), "");
    }
    const QString first = cell(0, 3);
    const int rear = first.startsWith("abcd") ? 0 : 1;
    EXPECT_EQ(VRDMediaTableModel::modeIconName(*mediaList.mediaAtIndex(rear)), "car_rear_alwa");
    EXPECT_EQ(VRDMediaTableModel::modeIconName(*mediaList.mediaAtIndex(1 - rear)), "");
    EXPECT_TRUE(model.data(model.index(1 - rear, 0), Qt::DecorationRole).isNull());

    // A table that still shows the rows of an earlier list gets empty cells.
    mediaList.setDirectoryPath(QTemporaryDir().path().toStdString());
    EXPECT_EQ(mediaList.count(), 0u);
    EXPECT_FALSE(model.data(model.index(1, 0)).isValid());
}
