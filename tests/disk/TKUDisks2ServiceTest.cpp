#include "TestFolder.h"

#include "disk/TKCommandRunner.h"
#include "disk/TKFormatJob.h"
#include "disk/TKUDisks2Service.h"
#include "disk/TKUSBDiskDiscovery.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDeadlineTimer>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QSignalSpy>
#include <QTest>
#include <QThread>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>
#include <optional>
#include <string>

namespace {

// The failure text of a call; none when it worked.
std::optional<std::string> problemOf(const TKStatus<> &status)
{
    return status ? std::nullopt : std::optional<std::string>(status.error());
}

const QString kPython = QStringLiteral("/usr/bin/python3");

// A private message bus with the UDisks2 mock of tests/disk/udisks2_mock.py
// on it. Both processes end with the fixture.
class MockUDisks2 {
public:
    ~MockUDisks2()
    {
        QDBusConnection::disconnectFromBus(m_connectionName);
        for (QProcess *process : {&m_mock, &m_bus}) {
            process->terminate();
            if (!process->waitForFinished(3000))
                process->kill();
            process->waitForFinished(3000);
        }
    }

    // Empty when the machine lacks dbus-daemon or python3-dbusmock.
    QString start(const QJsonArray &volumes)
    {
        const QString script = QStringLiteral(DISKS_UDISKS2_MOCK_SCRIPT);
        if (!QFile::exists("/usr/bin/dbus-daemon") || !QFile::exists(kPython) || !QFile::exists(script))
            return "dbus-daemon, /usr/bin/python3 or the mock script is missing";
        if (QProcess::execute(kPython, {"-c", "import dbusmock"}) != 0)
            return "python3-dbusmock is not installed";

        if (const QString problem = startBusOnly(); !problem.isEmpty())
            return problem;

        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("DBUS_SESSION_BUS_ADDRESS", m_address);
        m_mock.setProcessEnvironment(environment);
        m_mock.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_mock.start(kPython, {"-m", "dbusmock", "--session", "--template", script, "--parameters",
                               QJsonDocument(QJsonObject{{"volumes", volumes}}).toJson(QJsonDocument::Compact)});

        QDBusConnection bus = connection();
        const QDeadlineTimer deadline(10000);
        while (!bus.interface()->isServiceRegistered("org.freedesktop.UDisks2")) {
            if (deadline.hasExpired() || m_mock.state() == QProcess::NotRunning)
                return "the UDisks2 mock did not come up";
            QThread::msleep(50);
        }
        return {};
    }

    QString startBusOnly()
    {
        if (!QFile::exists("/usr/bin/dbus-daemon"))
            return "dbus-daemon is missing";
        m_bus.start("/usr/bin/dbus-daemon", {"--session", "--nofork", "--print-address=1"});
        if (!m_bus.waitForReadyRead(5000))
            return "dbus-daemon did not start";
        m_address = QString::fromUtf8(m_bus.readLine()).trimmed();
        return {};
    }

    QDBusConnection connection() const { return QDBusConnection::connectToBus(m_address, m_connectionName); }

private:
    QProcess m_bus;
    QProcess m_mock;
    QString m_address;
    QString m_connectionName = "tovik-udisks2-mock";
};

QJsonObject volume(const QString &device, const QString &mount)
{
    return {{"device", device}, {"label", "TOVIK"}, {"mount", mount}, {"model", "  Card Reader "},
            {"drive", "reader"}, {"size", 8000000000.0}};
}

#define START_MOCK_OR_SKIP(mock, volumes)                                \
    do {                                                                  \
        const QString problem = (mock).start(volumes);                    \
        if (!problem.isEmpty())                                           \
            GTEST_SKIP() << "no private UDisks2 mock: " << problem.toStdString(); \
    } while (false)

TEST(TKUDisks2ServiceTest, DescribesEveryFileSystemTheServiceKnows)
{
    QJsonObject readOnly = volume("sdc", "/media/user/RO");
    readOnly["readonly"] = true;
    readOnly["partition"] = false;
    readOnly["model"] = "";
    readOnly["drive"] = "reader2";
    QJsonObject internal = volume("mmcblk0p1", "/media/user/INTERNAL");
    internal["bus"] = "sdio";
    internal["drive"] = "mmc";
    MockUDisks2 mock;
    START_MOCK_OR_SKIP(mock, (QJsonArray{volume("sdb1", "/media/user/TOVIK"), readOnly, internal,
                                         volume("sdd1", "")}));

    TKUDisks2Service service(mock.connection());
    const TKVolumeListing listing = service.listVolumes();

    EXPECT_EQ(listing.problem, "");
    ASSERT_EQ(listing.volumes.size(), 4u);
    // Object-path order: mmcblk0p1, sdb1, sdc, sdd1.
    const TKVolumeDescription &card = listing.volumes[1];
    EXPECT_EQ(card.deviceName, "sdb1");
    EXPECT_EQ(card.key, "/org/freedesktop/UDisks2/block_devices/sdb1");
    EXPECT_EQ(card.driveKey, "/org/freedesktop/UDisks2/drives/reader");
    EXPECT_EQ(card.volumeName, "TOVIK");
    EXPECT_EQ(card.mountPath, "/media/user/TOVIK");
    EXPECT_EQ(card.deviceModel, "Card Reader");
    EXPECT_EQ(card.connectionBus, "usb");
    EXPECT_EQ(card.size, 8000000000u);
    EXPECT_TRUE(card.removable && card.writable && !card.mediaWhole);

    const auto entities = TKUSBDiskEntities(listing.volumes);
    ASSERT_EQ(entities.size(), 2u);
    EXPECT_EQ(entities[0].displayString(), "[7.5 GB] TOVIK <Card Reader>");
    EXPECT_EQ(entities[1].displayString(), "[7.5 GB] TOVIK ");
    EXPECT_TRUE(entities[1].mediaWhole());
    EXPECT_FALSE(entities[1].writable());
}

TEST(TKUDisks2ServiceTest, MountsUnmountsAndLabels)
{
    MockUDisks2 mock;
    START_MOCK_OR_SKIP(mock, (QJsonArray{volume("sdb1", "/media/user/CARD")}));
    TKUDisks2Service service(mock.connection());
    const TKVolumeDescription card = service.listVolumes().volumes.at(0);

    EXPECT_EQ(problemOf(service.unmount(card)), std::nullopt);
    EXPECT_EQ(service.listVolumes().volumes.at(0).mountPath, "");
    EXPECT_EQ(problemOf(service.unmount(card)), std::nullopt) << "an unmounted volume needs no unmount";
    EXPECT_EQ(problemOf(service.mount(card)), std::nullopt);
    EXPECT_EQ(problemOf(service.mount(card)), std::nullopt) << "a mounted volume needs no mount";
    EXPECT_EQ(service.listVolumes().volumes.at(0).mountPath, "/media/user/CARD");
    EXPECT_EQ(problemOf(service.setLabel(card, "TOVIK")), std::nullopt);
    EXPECT_EQ(service.listVolumes().volumes.at(0).volumeName, "TOVIK");

    TKVolumeDescription gone = card;
    gone.key = "/org/freedesktop/UDisks2/block_devices/sdz1";
    const auto problem = problemOf(TKUDisks2Service(mock.connection(), std::chrono::milliseconds(1)).mount(gone));
    ASSERT_TRUE(problem);
    EXPECT_THAT(*problem, ::testing::HasSubstr("org.freedesktop.DBus.Error.Unknown"));
}

TEST(TKUDisks2ServiceTest, TellsOfAddedObjectsAndChangedMountPoints)
{
    MockUDisks2 mock;
    START_MOCK_OR_SKIP(mock, (QJsonArray{volume("sdb1", "/media/user/CARD")}));
    TKUDisks2Service service(mock.connection());
    int calls = 0;
    service.setVolumesChangedHandler([&calls] { ++calls; });
    QDBusConnection bus = mock.connection();
    // The mock sends any signal from its root object.
    const auto emitSignal = [&bus](const QString &interface, const QString &name, const QString &signature,
                                   const QVariantList &arguments) {
        QDBusMessage call = QDBusMessage::createMethodCall("org.freedesktop.UDisks2", "/org/freedesktop/UDisks2",
                                                           "org.freedesktop.DBus.Mock", "EmitSignal");
        call.setArguments({interface, name, signature, arguments});
        const QDBusMessage reply = bus.call(call);
        EXPECT_NE(reply.type(), QDBusMessage::ErrorMessage) << reply.errorMessage().toStdString();
    };
    const auto filesystemChanged = [&emitSignal](const QString &interface) {
        emitSignal("org.freedesktop.DBus.Properties", "PropertiesChanged", "sa{sv}as",
                   {interface, QVariantMap{{"Size", 1}}, QStringList()});
    };

    // A card inserted: a new block device object.
    emitSignal("org.freedesktop.DBus.ObjectManager", "InterfacesAdded", "oa{sa{sv}}",
               {QVariant::fromValue(QDBusObjectPath("/org/freedesktop/UDisks2/block_devices/sdc1")), QVariantMap()});
    ASSERT_TRUE(QTest::qWaitFor([&calls] { return calls == 1; }, 5000)) << "InterfacesAdded was not heard";

    // Mounted: the file system's mount points change; a drive's own changes are not news.
    filesystemChanged("org.freedesktop.UDisks2.Drive");
    filesystemChanged("org.freedesktop.UDisks2.Filesystem");
    ASSERT_TRUE(QTest::qWaitFor([&calls] { return calls >= 2; }, 5000)) << "the mount was not heard";
    QTest::qWait(200);
    EXPECT_EQ(calls, 2) << "the drive's change is not a volume change";

    service.setVolumesChangedHandler({});
    filesystemChanged("org.freedesktop.UDisks2.Filesystem");
    QTest::qWait(300);
    EXPECT_EQ(calls, 2) << "an empty handler stops the calls";
}

TEST(TKUDisks2ServiceTest, AnswersNoVolumesAndWhyWhenUDisks2IsNotThere)
{
    MockUDisks2 bus;
    const QString problem = bus.startBusOnly();
    if (!problem.isEmpty())
        GTEST_SKIP() << "no private message bus: " << problem.toStdString();

    const TKVolumeListing noService = TKUDisks2Service(bus.connection()).listVolumes();
    EXPECT_TRUE(noService.volumes.empty());
    EXPECT_THAT(noService.problem, ::testing::HasSubstr("UDisks2 is not available"));

    const TKVolumeListing noBus =
        TKUDisks2Service(QDBusConnection::connectToBus(QString("unix:path=/nonexistent/bus"), "tovik-no-bus"))
            .listVolumes();
    EXPECT_TRUE(noBus.volumes.empty());
    EXPECT_THAT(noBus.problem, ::testing::HasSubstr("no connection to the system bus"));
}

// The window's way of running the sequence: on a pool thread, steps and result
// delivered as signals, here against the mock service and a runner that
// pretends mkfs.fat succeeded.
TEST(TKFormatJobTest, ReportsEveryStepAndTheResultThroughSignals)
{
    class SucceedingRunner : public TKCommandRunner {
    public:
        TKCommandResult run(const std::vector<std::string> &, bool) override { return {}; }
    } runner;
    const std::filesystem::path card = TestFolder("job-card").path();
    std::ofstream(card / "config.bin", std::ios::binary) << std::string(1176, '\x11');
    MockUDisks2 mock;
    START_MOCK_OR_SKIP(mock, (QJsonArray{volume("sdb1", QString::fromStdString(card.string()))}));
    TKUDisks2Service service(mock.connection());
    TKFormatJob job(service, runner, TestFolder("job-tmp").path());
    QSignalSpy steps(&job, &TKFormatJob::stepReported);
    QSignalSpy finished(&job, &TKFormatJob::finished);

    ASSERT_TRUE(job.start("sdb1"));
    EXPECT_FALSE(job.start("sdb1")) << "one run at a time";
    ASSERT_TRUE(finished.wait(20000));

    const auto result = finished.at(0).at(0).value<TKFormatResult>();
    EXPECT_EQ(result.status, TKFormatResult::Status::Completed) << result.message;
    EXPECT_EQ(std::filesystem::file_size(card / "config.bin"), 1176u);
    QStringList texts;
    for (const QList<QVariant> &arguments : steps) {
        const auto step = arguments.at(0).value<TKFormatStep>();
        if (step.state == TKFormatStep::State::Started)
            texts << QString::fromStdString(step.text);
    }
    EXPECT_EQ(texts, (QStringList{"Formatting...", "unmount disk...", "formatting...", "try mount...",
                                  "Format completed!"}));
}

} // namespace
