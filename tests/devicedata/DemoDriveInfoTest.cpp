#include "demo/DemoCardFilesWriter.h"
#include "devicedata/VRDDriveInfoLog.h"

#include <gtest/gtest.h>

#include <set>

// The demo log must show every kind of cell text the table knows.
TEST(DemoDriveInfo, EveryValueClassOccurs)
{
    const VRDDriveInfoLog log = VRDDriveInfoLog::fromBytes(VRDDriveInfoLog::toBytes(DemoCardFilesWriter::driveInfoRecords()));
    ASSERT_EQ(log.count(), DemoCardFilesWriter::kDriveInfoRecords);
    std::set<std::string> weekdays, fixes, rpm, lamps, negatives;
    for (std::int64_t row = 0; row < log.count(); ++row) {
        weekdays.insert(log.stringForColumnIndex(4, row));
        fixes.insert(log.stringForColumnIndex(7, row));
        const std::string rpmText = log.stringForColumnIndex(11, row);
        if (rpmText == "EV" || rpmText == "-")
            rpm.insert(rpmText);
        for (int column : {12, 13, 14})
            lamps.insert(log.stringForColumnIndex(column, row));
        for (int column : {15, 16, 18, 19, 20}) {
            if (log.stringForColumnIndex(column, row).starts_with('-'))
                negatives.insert(std::to_string(column));
        }
    }
    EXPECT_EQ(weekdays, (std::set<std::string>{"SUN", "MON", "TUE", "WED", "THU", "FRI", "SAT", "-"}));
    EXPECT_EQ(fixes, (std::set<std::string>{"A", "F", "V"}));
    EXPECT_EQ(rpm, (std::set<std::string>{"EV", "-"}));
    EXPECT_EQ(lamps, (std::set<std::string>{"ON", "OFF", "-"}));
    EXPECT_EQ(negatives.size(), 5u);
}
