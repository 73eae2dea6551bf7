#include "config/VRDFileData.h"
#include "settings/VRDSettingForMotionViewController.h"
#include "widgets/TKSegmentedControl.h"

#include "MirroredDocument.h"
#include "TabRecordPattern.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QTest>

#include <gtest/gtest.h>

#include <array>

namespace {

// Block 01 to 12 and the value of its bit, as the camera reads the mask.
constexpr std::array<std::uint32_t, 12> kBlockValues{256, 512, 1024, 2048, 16, 32, 64, 128, 1, 2, 4, 8};

class MotionTab : public ::testing::Test, private WithStringTable {
protected:
    void SetUp() override
    {
        VRDResetFileData(record);
    }

    void show() { tab.setFileData(document.of(record)); }

    template <typename T>
    T *child(const QString &name)
    {
        T *found = tab.findChild<T *>(name);
        EXPECT_NE(found, nullptr) << name.toStdString();
        return found;
    }
    QCheckBox *block(const char *camera, int number)
    {
        return child<QCheckBox>(QString::asprintf("%sMotionBlock%02dChk", camera, number));
    }
    int checkedBlocks()
    {
        int count = 0;
        for (const char *camera : {"front", "rear"})
            for (int number = 1; number <= 12; ++number)
                count += block(camera, number)->isChecked() ? 1 : 0;
        return count;
    }
    TKSegmentedControl *segment(const char *name) { return child<TKSegmentedControl>(name); }

    FILEDATA record{};
    MirroredDocument document;
    VRDSettingForMotionViewController tab;
};

} // namespace

TEST_F(MotionTab, DefaultsStoreBackUnchanged)
{
    show();
    const FILEDATA shown = record;
    EXPECT_EQ(segment("frontSensitivitySeg")->selectedSegment(), 3);
    EXPECT_EQ(segment("rearSensitivitySeg")->labelForSegment(5), "5(High)");
    EXPECT_FALSE(block("front", 6)->isChecked());
    EXPECT_FALSE(block("rear", 7)->isChecked());
    EXPECT_EQ(checkedBlocks(), 20);
    ASSERT_TRUE(tab.populate());
    EXPECT_TRUE(sameBytes(record, shown));
}

TEST_F(MotionTab, EachBlockOwnsItsBitInBothGrids)
{
    // A set bit leaves its block out of the detection.
    record.motionBlock = 0;
    record.motionBlock_Rear = 0;
    show();
    EXPECT_EQ(checkedBlocks(), 24);
    record.motionBlock = 0xFFF;
    record.motionBlock_Rear = 0xFFF;
    show();
    EXPECT_EQ(checkedBlocks(), 0);

    for (int number = 1; number <= 12; ++number) {
        record.motionBlock = 0;
        record.motionBlock_Rear = 0;
        show();
        block("front", number)->click();
        block("rear", 13 - number)->click();
        ASSERT_TRUE(tab.populate());
        EXPECT_EQ(record.motionBlock, kBlockValues[static_cast<std::size_t>(number - 1)]) << "front block " << number;
        EXPECT_EQ(record.motionBlock_Rear, kBlockValues[static_cast<std::size_t>(12 - number)]) << "rear block " << 13 - number;
    }
}

TEST_F(MotionTab, BitsAboveTheGridAreDroppedAndOtherFieldsKept)
{
    record = patternRecord();
    record.motion720pCValue = 5;
    record.motion1080pCValue = 0;
    record.motionBlock = 0xABCD1234;
    record.motionBlock_Rear = 0x0000F0A5;
    record.ParkingMode = 1;
    record.En_SuperNightVision = 1;
    const FILEDATA before = record;
    show();
    ASSERT_TRUE(tab.populate());
    EXPECT_EQ(record.motionBlock, 0x234u);
    EXPECT_EQ(record.motionBlock_Rear, 0x0A5u);
    EXPECT_EQ(changedBytesOutside(before, record, {"motionBlock", "motionBlock_Rear"}), std::vector<std::size_t>{});
}

TEST_F(MotionTab, SensitivityOffLeavesTheGridAsItIs)
{
    record.motionBlock = 0x801;
    show();
    segment("frontSensitivitySeg")->buttonForSegment(0)->click();
    for (int number = 1; number <= 12; ++number)
        EXPECT_TRUE(block("front", number)->isEnabled());
    EXPECT_FALSE(block("front", 4)->isChecked());
    ASSERT_TRUE(tab.populate());
    EXPECT_EQ(record.motion720pCValue, 0u);
    EXPECT_EQ(record.motionBlock, 0x801u);
}

TEST_F(MotionTab, ChoicesAreStoredAsSegmentsAndUnknownValuesKept)
{
    record.motion1080pCValue = 9;
    record.ParkingMode = 0;
    show();
    EXPECT_EQ(segment("rearSensitivitySeg")->selectedSegment(), -1);
    segment("parkingModeSeg")->buttonForSegment(1)->click();
    segment("nightVisionSeg")->buttonForSegment(1)->click();
    ASSERT_TRUE(tab.populate());
    EXPECT_EQ(record.motion1080pCValue, 9u);
    EXPECT_EQ(record.ParkingMode, 1u);
    EXPECT_EQ(record.En_SuperNightVision, 1u);
    EXPECT_TRUE(tab.validateUserInput().isNull());
    EXPECT_FALSE(VRDSettingForMotionViewController().populate()) << "no record";
}

// Night vision is one field with a control on the Video tab and one here:
// a change on either tab, stored when it is left, shows on the other.
TEST(MotionTabInWindow, NightVisionAgreesWithTheVideoTab)
{
    const WithStringTable strings;
    const auto window = openSettingsWindow();
    const auto nightVision = [&window](const char *name) {
        return window->targetController()->findChild<TKSegmentedControl *>(name);
    };
    window->changeViewController(0);
    ASSERT_NE(nightVision("wdr"), nullptr);
    EXPECT_EQ(nightVision("wdr")->selectedSegment(), 0);
    const QString videoLabel = nightVision("wdr")->labelForSegment(1);
    nightVision("wdr")->buttonForSegment(1)->click();

    window->changeViewController(4);
    ASSERT_NE(nightVision("nightVisionSeg"), nullptr);
    EXPECT_EQ(nightVision("nightVisionSeg")->selectedSegment(), 1);
    EXPECT_EQ(window->fileData().En_SuperNightVision, 1u);
    EXPECT_EQ(nightVision("nightVisionSeg")->labelForSegment(1), videoLabel);
    nightVision("nightVisionSeg")->buttonForSegment(0)->click();

    window->changeViewController(0);
    EXPECT_EQ(nightVision("wdr")->selectedSegment(), 0);
    EXPECT_EQ(window->fileData().En_SuperNightVision, 0u);
}
