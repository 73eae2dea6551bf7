#include "TestFolder.h"
#include "DisksVolumeFixtures.h"
#include "FormatWindowFakes.h"
#include "Screenshot.h"

#include "viewer/VRDTimeSetupController.h"
#include "ui_VRDTimeSetupController.h"
#include "widgets/TKClockFaceTimePicker.h"
#include "widgets/TKLocalization.h"

#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

namespace {

std::string readFile(const std::filesystem::path &path)
{
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

const QDateTime kNow(QDate(2024, 3, 5), QTime(14, 7, 9, 500));

class TimeSetupTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        root = TestFolder(std::string("clock_") + ::testing::UnitTest::GetInstance()->current_test_info()->name()).path();
    }

    std::unique_ptr<VRDTimeSetupController> openWindow()
    {
        VRDTimeSetupController::Environment environment;
        environment.diskService = service;
        environment.now = [this] { return now; };
        environment.chooseSavePath = [this](QWidget *, const QString &proposed) {
            proposals.append(proposed);
            return chosenPath;
        };
        auto window = std::make_unique<VRDTimeSetupController>(environment);
        window->show();
        return window;
    }

    // A card folder holding a clock file of that content.
    std::filesystem::path cardWithClockFile(const std::string &name, const std::string &content)
    {
        const std::filesystem::path folder = root / name;
        std::filesystem::create_directories(folder);
        std::ofstream(folder / "timeset.cfg", std::ios::binary) << content;
        service->volumes.push_back(DisksVolumeFixture(name).mountedAt(folder.string()));
        return folder / "timeset.cfg";
    }

    std::filesystem::path root;
    std::shared_ptr<FormatWindowDiskService> service = std::make_shared<FormatWindowDiskService>();
    QDateTime now = kNow;
    QString chosenPath;
    QStringList proposals;
};

TEST_F(TimeSetupTest, OpensOnNowWithTheCardsClockFile)
{
    service->volumes.push_back(DisksVolumeFixture("sda1").mountedAt((root / "empty").string()));
    cardWithClockFile("sdb1", "");
    const std::filesystem::path second = cardWithClockFile("sdc1", "");
    const auto window = openWindow();

    EXPECT_EQ(window->settingFilePath().toStdString(), (root / "sdb1" / "timeset.cfg").string());
    EXPECT_EQ(window->ui().datePicker->selectedDate(), kNow.date());
    EXPECT_EQ(window->ui().timePicker->time(), QTime(14, 7, 9));
    EXPECT_EQ(window->ui().clockTimePicker->time(), QTime(14, 7, 9));
    EXPECT_EQ(window->ui().dateField->text(), VRDTimeSetupController::fullDateText(kNow.date()));
    EXPECT_EQ(window->ui().nowDaySettingChk->text(), TKLocalizedString("today") + "(5 Mar 2024)");
    EXPECT_EQ(window->ui().saveButton->text(), TKLocalizedString("save"));
    EXPECT_EQ(window->ui().cancelButton->text(), TKLocalizedString("cancel"));
    EXPECT_TRUE(saveScreenshot(*window, "time_setup_window"));
}

TEST_F(TimeSetupTest, PickersStayEqualAndTheLastPickedTimeIsSaved)
{
    const std::filesystem::path clockFile = cardWithClockFile("sdb1", "2000/01/01 00:00:00\r\nKEEP");
    const auto window = openWindow();
    TKClockFaceTimePicker *face = window->ui().clockTimePicker;

    // The outer ring at six o'clock is half past.
    const QPointF centre = QRectF(face->rect()).center();
    const double radius = std::min(face->width(), face->height()) / 2.0 - 4.0;
    QTest::mouseClick(face, Qt::LeftButton, {}, (centre + QPointF(0, radius * 0.8)).toPoint());
    EXPECT_EQ(window->ui().timePicker->time(), QTime(14, 30, 9));
    EXPECT_EQ(window->selectedTime(), QTime(14, 30, 9));

    window->ui().timePicker->setTime(QTime(23, 59, 58));
    EXPECT_EQ(face->time(), QTime(23, 59, 58));

    window->ui().datePicker->setSelectedDate(QDate(2025, 12, 31));
    EXPECT_EQ(window->ui().dateField->text(), VRDTimeSetupController::fullDateText(QDate(2025, 12, 31)));

    window->ui().saveButton->click();
    // Bytes after the 19th stay, as the camera's own tools leave them.
    EXPECT_EQ(readFile(clockFile), "2025/12/31 23:59:58\r\nKEEP");
    QMessageBox *alert = formatWindowAlert(window.get());
    ASSERT_NE(alert, nullptr);
    EXPECT_EQ(alert->informativeText(), TKLocalizedString("time.filesave"));
    alert->accept();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !window->isVisible(); }));
}

TEST_F(TimeSetupTest, TodayRestoresTheDateKeepsTheTimeAndUnchecksItself)
{
    const auto window = openWindow();
    window->ui().datePicker->setSelectedDate(QDate(2020, 2, 29));
    window->ui().timePicker->setTime(QTime(6, 5, 4));
    now = QDateTime(QDate(2024, 3, 6), QTime(0, 0, 1));

    window->ui().nowDaySettingChk->click();
    EXPECT_EQ(window->selectedDate(), QDate(2024, 3, 6));
    EXPECT_EQ(window->ui().datePicker->selectedDate(), QDate(2024, 3, 6));
    EXPECT_EQ(window->ui().dateField->text(), VRDTimeSetupController::fullDateText(QDate(2024, 3, 6)));
    EXPECT_EQ(window->ui().nowDaySettingChk->text(), TKLocalizedString("today") + "(6 Mar 2024)");
    EXPECT_EQ(window->selectedTime(), QTime(6, 5, 4));
    EXPECT_TRUE(window->ui().nowDaySettingChk->isChecked());
    EXPECT_TRUE(QTest::qWaitFor([&] { return !window->ui().nowDaySettingChk->isChecked(); }, 1000));
}

TEST_F(TimeSetupTest, WithoutCardTheUserChoosesWhereAndFailuresAreReported)
{
    const auto window = openWindow();
    EXPECT_TRUE(window->settingFilePath().isEmpty());

    window->ui().saveButton->click();
    EXPECT_EQ(proposals.size(), 1);
    EXPECT_TRUE(proposals.front().endsWith("timeset.cfg"));
    EXPECT_EQ(formatWindowAlert(window.get()), nullptr);
    EXPECT_TRUE(window->isVisible());

    chosenPath = QString::fromStdString((root / "missing" / "timeset.cfg").string());
    window->ui().saveButton->click();
    QMessageBox *alert = formatWindowAlert(window.get());
    ASSERT_NE(alert, nullptr);
    EXPECT_EQ(alert->windowTitle(), "Warn");
    EXPECT_TRUE(alert->informativeText().startsWith(TKLocalizedString("msg.file_open_fail")));
    alert->accept();
    EXPECT_TRUE(window->isVisible());

    chosenPath = QString::fromStdString((root / "clock").string());
    window->ui().saveButton->click();
    EXPECT_EQ(readFile(root / "clock.cfg"), "2024/03/05 14:07:09");
}

TEST(TKClockFaceTimePickerTest, HandsRingsAndKeysPickTheTime)
{
    TKClockFaceTimePicker face;
    face.resize(208, 208);
    QSignalSpy changes(&face, &TKClockFaceTimePicker::timeChanged);
    face.setTime(QTime(14, 7, 9));
    EXPECT_EQ(changes.count(), 0) << "only the user's changes are reported";

    const QPointF centre(104, 104);
    const double radius = 100;
    EXPECT_EQ(face.timeAtPoint(centre + QPointF(radius * 0.9, 0)), QTime(14, 15, 9));
    EXPECT_EQ(face.timeAtPoint(centre + QPointF(-radius * 0.4, 0)), QTime(21, 7, 9)) << "inner ring: hours, PM kept";
    EXPECT_EQ(face.timeAtPoint(centre + QPointF(0, radius * 0.38)), QTime(2, 7, 9)) << "AM/PM";
    EXPECT_FALSE(face.timeAtPoint(centre + QPointF(radius * 1.1, 0)).isValid());
    EXPECT_FALSE(face.timeAtPoint(centre).isValid());

    QTest::keyClick(&face, Qt::Key_Up);
    QTest::keyClick(&face, Qt::Key_PageDown);
    EXPECT_EQ(face.time(), QTime(13, 8, 9));
    face.setTime(QTime(23, 59, 30));
    QTest::keyClick(&face, Qt::Key_Up);
    EXPECT_EQ(face.time(), QTime(0, 0, 30)) << "wraps past midnight";
    EXPECT_EQ(changes.count(), 3);
}

} // namespace
