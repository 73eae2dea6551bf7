#include "config/VRDFileData.h"

#include "ProgramRun.h"
#include "TestFolder.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonArray>
#include <QJsonObject>
#include <QProcess>

#include <gtest/gtest.h>

namespace {

ProgramRun tovik(const QStringList &arguments)
{
    return runProgram(builtProgram("src/cli/tovik"), arguments);
}

QByteArray fileBytes(const std::string &path)
{
    QFile file(QString::fromStdString(path));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

TEST(ConfigCommand, SetChecksEveryValueBeforeWriting)
{
    TestFolder folder("cli_config");
    const std::string path = folder.path("config.bin");
    ASSERT_EQ(tovik({"config", "defaults", QString::fromStdString(path)}).exitCode, 0);
    const QByteArray before = fileBytes(path);

    const ProgramRun refused = tovik({"config", "set", QString::fromStdString(path), "gsen_x_threshold=0.8", "wifi_channel=14"});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_EQ(refused.err.count('\n'), 1) << refused.err.toStdString();
    EXPECT_TRUE(refused.err.contains("wifi_channel=14"));
    EXPECT_EQ(fileBytes(path), before) << "nothing written when one value is refused";
    EXPECT_EQ(tovik({"config", "set", QString::fromStdString(path), "hood=3"}).exitCode, 1);
    EXPECT_EQ(tovik({"config", "defaults", QString::fromStdString(path)}).exitCode, 1);

    ASSERT_EQ(tovik({"config", "set", QString::fromStdString(path), "gsen_x_threshold=0.8", "szPlateNumber=",
                     "ADAS_HeadWayFactor=1.15"})
                  .exitCode,
              0);
    FILEDATA record{};
    ASSERT_TRUE(VRDReadFileData(path, record));
    EXPECT_EQ(record.gsen_x_threshold, 80);
    EXPECT_EQ(record.osd_plate_flag, 0);
    EXPECT_EQ(record.checksum, VRDCheckWord(record));

    const ProgramRun shown = tovik({"config", "show", QString::fromStdString(path), "--json"});
    ASSERT_EQ(shown.exitCode, 0);
    const QJsonObject json = QJsonDocument::fromJson(shown.out).object();
    EXPECT_TRUE(json.value("accepted").toBool());
    const QJsonObject fields = json.value("fields").toObject();
    EXPECT_EQ(fields.size(), 153);
    EXPECT_EQ(static_cast<float>(fields.value("ADAS_HeadWayFactor").toDouble()), 1.15f);
    EXPECT_EQ(fields.value("wifi_ssid").toString(), "TovikK");
    EXPECT_EQ(fields.value("vehiclecode").toArray().at(4).toArray().size(), 18);
    EXPECT_LT(shown.out.indexOf("\"cfg_ver\""), shown.out.indexOf("\"debug_mode\"")) << "offset order";
}
