#include "SettingControllerFakes.h"
#include "TestFolder.h"

#include "demo/DemoCardFilesWriter.h"
#include "settings/VRDSettingTabFactory.h"
#include "widgets/TKSegmentedControl.h"

#include <QCheckBox>
#include <QComboBox>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QSignalSpy>
#include <gtest/gtest.h>

namespace {

QJsonObject configShow(const std::string &path)
{
    QProcess tovik;
    tovik.start(qEnvironmentVariable("TOVIK_BUILD_DIR") + "/src/cli/tovik",
                {"config", "show", "--json", QString::fromStdString(path)});
    EXPECT_TRUE(tovik.waitForFinished(30000));
    return QJsonDocument::fromJson(tovik.readAllStandardOutput()).object();
}

// What a user does with the demo card: open its config.bin, change the
// Video and GPS tabs, save, and read the values back with the command-line
// tool.
TEST(SettingControllerDemoCard, EditedValuesReachTheFileTheCommandLineToolReads)
{
    TestFolder card("demo_settings");
    ASSERT_FALSE(DemoCardFilesWriter::write(card.path()).has_value());
    const std::string configFile = card.path("config.bin");

    VRDSettingController::Environment environment;
    environment.diskService = std::make_shared<FakeDiskService>();
    environment.settingFilePath = QString::fromStdString(configFile);
    VRDSettingController controller(std::move(environment));
    QSignalSpy loaded(&controller, &VRDSettingController::settingFileLoaded);
    controller.show();
    ASSERT_TRUE(loaded.wait(5000));
    const FILEDATA before = controller.fileData();
    auto segment = [&controller](const char *name) { return controller.findChild<TKSegmentedControl *>(name); };

    segment("channel")->buttonForSegment(1)->click();
    segment("videoEncodingBitrateRear")->buttonForSegment(2)->click();
    segment("functionSegmentedControl")->buttonForSegment(2)->click();
    ASSERT_EQ(controller.lastSelectedTabIndex(), 2);
    dismissAlerts(&controller); // the quality warning
    controller.findChild<QComboBox *>("timeGmtCombo")->setCurrentIndex(22);
    controller.findChild<QCheckBox *>("summerTimeChk")->setChecked(true);
    segment("saveDurationSeg")->buttonForSegment(6)->click();
    controller.onSave();

    const QJsonObject shown = configShow(configFile);
    EXPECT_TRUE(shown["accepted"].toBool());
    const QJsonObject fields = shown["fields"].toObject();
    EXPECT_EQ(fields["b_model"].toInt(), 1);
    EXPECT_EQ(fields["ledoff_rear"].toInt(), 0);
    EXPECT_EQ(fields["vid_enc_bitrate_R"].toInt(), 2);
    EXPECT_EQ(fields["time_gmt"].toInt(), 22);
    EXPECT_EQ(fields["summer_time"].toInt(), 1);
    EXPECT_EQ(fields["SaveDuration"].toInt(), 6);
    EXPECT_EQ(fields["vid_enc_bitrate"].toInt(), static_cast<int>(before.vid_enc_bitrate));
    EXPECT_EQ(fields["Gamma"].toInt(), static_cast<int>(before.Gamma));
}

} // namespace
