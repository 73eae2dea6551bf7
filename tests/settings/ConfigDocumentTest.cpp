#include "config/VRDFileData.h"
#include "settings/VRDConfigDocument.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

#include <cstring>

// Edits and whole replacements are told apart, so the window redisplays the
// tab only when the record was replaced; a reset keeps what has no default.
TEST(ConfigDocument, EditsAndReplacementsSignalApartAndResetKeepsTheTimeZone)
{
    VRDConfigDocument document;
    QSignalSpy replaced(&document, &VRDConfigDocument::replaced);
    QSignalSpy edited(&document, &VRDConfigDocument::edited);

    FILEDATA record{};
    record.time_gmt = 20;
    record.vid_enc_bitrate = 2;
    document.store(record);
    EXPECT_EQ(edited.count(), 1);
    EXPECT_EQ(replaced.count(), 0);
    EXPECT_EQ(document.record().vid_enc_bitrate, 2u);

    document.reset();
    EXPECT_EQ(replaced.count(), 1);
    FILEDATA defaults = record;
    VRDResetFileData(defaults);
    EXPECT_EQ(std::memcmp(&document.record(), &defaults, sizeof defaults), 0);
    EXPECT_EQ(document.record().time_gmt, 20) << "the time zone has no default";

    std::memcpy(record.szPlateNumber, "AB12", 4);
    document.replace(record);
    EXPECT_EQ(replaced.count(), 2);
    document.prepareForSave();
    EXPECT_EQ(edited.count(), 2);
    EXPECT_EQ(document.record().osd_plate_flag, 1u);
    EXPECT_EQ(document.record().checksum, VRDCheckWord(document.record()));
}
