#include "config/VRDFileData.h"
#include "settings/VRDSettingForAudioViewController.h"
#include "widgets/TKSegmentedControl.h"

#include "MirroredDocument.h"
#include "TabRecordPattern.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QGridLayout>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {

class AudioTab : public ::testing::Test, private WithStringTable {
protected:
    void SetUp() override
    {
        VRDResetFileData(record);
        record.Brightness1 = 1;
    }

    void show() { tab.setFileData(document.of(record)); }

    template <typename T>
    T *child(const char *name)
    {
        T *found = tab.findChild<T *>(name);
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    QRadioButton *cell(int index) { return child<QRadioButton>(QString::asprintf("voiceLangCell%02d", index).toLatin1()); }
    QRadioButton *malaysia() { return child<QRadioButton>("malaysiaRadio"); }
    int checkedCells()
    {
        int count = 0;
        for (int i = 0; i < 20; ++i)
            count += cell(i)->isChecked() ? 1 : 0;
        return count;
    }

    FILEDATA record{};
    MirroredDocument document;
    VRDSettingForAudioViewController tab;
};

} // namespace

TEST_F(AudioTab, DefaultsStoreBackUnchanged)
{
    show();
    const FILEDATA shown = record;
    EXPECT_EQ(child<TKSegmentedControl>("micSeg")->selectedSegment(), 3);
    EXPECT_EQ(child<TKSegmentedControl>("micSeg")->labelForSegment(3), "3(High)");
    EXPECT_EQ(child<TKSegmentedControl>("speakerSeg")->selectedSegment(), 2);
    EXPECT_TRUE(child<QCheckBox>("useEveryHourNoticeChk")->isChecked());
    EXPECT_TRUE(cell(1)->isChecked());
    EXPECT_EQ(cell(1)->text(), "English");
    ASSERT_TRUE(tab.populate());
    EXPECT_TRUE(sameBytes(record, shown));
    EXPECT_TRUE(tab.validateUserInput().isNull());
    EXPECT_FALSE(VRDSettingForAudioViewController().populate()) << "no record";
}

TEST_F(AudioTab, FieldsOutsideTheTabKeepEveryByte)
{
    record = patternRecord();
    record.aud_input_vol = 0;
    record.aud_output_vol = 1;
    record.alarm_ontime_flag = 0;
    record.Brightness1 = 19;
    const FILEDATA before = record;
    show();
    ASSERT_TRUE(tab.populate());
    EXPECT_TRUE(sameBytes(record, before));

    child<TKSegmentedControl>("speakerSeg")->buttonForSegment(3)->click();
    cell(7)->click();
    child<QCheckBox>("useEveryHourNoticeChk")->click();
    ASSERT_TRUE(tab.populate());
    EXPECT_EQ(changedBytesOutside(before, record, {"aud_input_vol", "aud_output_vol", "alarm_ontime_flag", "Brightness1"}),
              std::vector<std::size_t>{});
    EXPECT_EQ(record.aud_output_vol, 3u);
    EXPECT_EQ(record.Brightness1, 7u);
    EXPECT_EQ(record.alarm_ontime_flag, 1u);
}

TEST_F(AudioTab, CellsCountRowByRowOverTheGridsColumns)
{
    const auto *grid = child<QGridLayout>("voiceLangGrid");
    ASSERT_EQ(grid->columnCount(), 4);
    record.Brightness1 = 13;
    show();
    EXPECT_EQ(grid->itemAtPosition(3, 1)->widget(), cell(13));
    EXPECT_TRUE(cell(13)->isChecked());
    EXPECT_EQ(cell(13)->text(), "German");
    EXPECT_EQ(checkedCells(), 1);
    EXPECT_FALSE(malaysia()->isChecked());
}

TEST_F(AudioTab, MalaysiaAndTheMatrixExcludeEachOtherAndWriteAtOnce)
{
    record.Brightness1 = 20;
    show();
    EXPECT_TRUE(malaysia()->isChecked());
    EXPECT_EQ(malaysia()->text(), "Malay");
    EXPECT_EQ(checkedCells(), 0);
    ASSERT_TRUE(tab.populate());
    EXPECT_EQ(record.Brightness1, 20u);

    cell(5)->click();
    EXPECT_EQ(record.Brightness1, 5u) << "before any store";
    EXPECT_FALSE(malaysia()->isChecked());

    malaysia()->click();
    EXPECT_EQ(record.Brightness1, 20u);
    EXPECT_EQ(checkedCells(), 0);
    malaysia()->click();
    EXPECT_TRUE(malaysia()->isChecked()) << "a radio button is not turned off by clicking it again";
}

TEST_F(AudioTab, OutOfTableValuesAreShownByTheRuleAndKept)
{
    record.Brightness1 = 25;
    record.aud_input_vol = 9;
    record.alarm_ontime_flag = 7;
    show();
    EXPECT_EQ(checkedCells(), 0);
    EXPECT_FALSE(malaysia()->isChecked());
    EXPECT_EQ(child<TKSegmentedControl>("micSeg")->selectedSegment(), -1);
    EXPECT_TRUE(child<QCheckBox>("useEveryHourNoticeChk")->isChecked());
    ASSERT_TRUE(tab.populate());
    EXPECT_EQ(record.Brightness1, 25u);
    EXPECT_EQ(record.aud_input_vol, 9u);
    EXPECT_EQ(record.alarm_ontime_flag, 1u);
}

TEST_F(AudioTab, ResetKeepsTheLoadedLanguage)
{
    record.Brightness1 = 20;
    VRDResetFileData(record);
    show();
    EXPECT_TRUE(malaysia()->isChecked());
}
