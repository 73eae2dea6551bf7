#include "disk/TKUDisks2Service.h"

#include "disk/TKDiskLog.h"
#include "disk/TKUDisks2Signals.h"

#include <QDBusArgument>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusVariant>
#include <QMap>
#include <QThread>
#include <QVariantMap>
#include <QtDebug>

#include <utility>

namespace {

const QString kService = QStringLiteral("org.freedesktop.UDisks2");
const QString kRootPath = QStringLiteral("/org/freedesktop/UDisks2");
const QString kObjectManager = QStringLiteral("org.freedesktop.DBus.ObjectManager");
const QString kBlock = QStringLiteral("org.freedesktop.UDisks2.Block");
const QString kDrive = QStringLiteral("org.freedesktop.UDisks2.Drive");
const QString kFilesystem = QStringLiteral("org.freedesktop.UDisks2.Filesystem");
const QString kPartition = QStringLiteral("org.freedesktop.UDisks2.Partition");

// Long enough for a password prompt of the disk service; not forever.
constexpr int kOperationTimeoutMs = 120000;
// After mkfs.fat the service re-reads the device; its file-system interface
// comes back within a few seconds.
constexpr int kMountAttempts = 10;

using InterfaceMap = QMap<QString, QVariantMap>;
using ObjectMap = QMap<QDBusObjectPath, InterfaceMap>;

// Device node paths come as NUL-terminated byte arrays.
QString pathFromBytes(const QByteArray &bytes)
{
    const qsizetype end = bytes.indexOf('\0');
    return QString::fromLocal8Bit(end < 0 ? bytes : bytes.left(end));
}

QByteArrayList byteArrayList(const QVariant &value)
{
    if (value.canConvert<QDBusArgument>())
        return qdbus_cast<QByteArrayList>(value.value<QDBusArgument>());
    return value.value<QByteArrayList>();
}

ObjectMap managedObjects(const QDBusMessage &reply)
{
    ObjectMap objects;
    if (reply.arguments().isEmpty())
        return objects;
    const QDBusArgument argument = reply.arguments().constFirst().value<QDBusArgument>();
    argument >> objects;
    return objects;
}

TKVolumeDescription describe(const QString &path, const InterfaceMap &interfaces, const ObjectMap &objects)
{
    const QVariantMap block = interfaces.value(kBlock);
    const QVariantMap filesystem = interfaces.value(kFilesystem);
    const QString drivePath = block.value("Drive").value<QDBusObjectPath>().path();
    const QVariantMap drive = objects.value(QDBusObjectPath(drivePath.isEmpty() ? "/" : drivePath)).value(kDrive);

    TKVolumeDescription volume;
    volume.key = path.toStdString();
    volume.driveKey = drive.isEmpty() ? std::string() : drivePath.toStdString();
    const QString devicePath = pathFromBytes(block.value("Device").toByteArray());
    volume.deviceName = devicePath.mid(devicePath.lastIndexOf('/') + 1).toStdString();
    volume.volumeName = block.value("IdLabel").toString().toStdString();
    const QByteArrayList mountPoints = byteArrayList(filesystem.value("MountPoints"));
    if (!mountPoints.isEmpty())
        volume.mountPath = pathFromBytes(mountPoints.constFirst()).toStdString();
    volume.deviceModel = drive.value("Model").toString().trimmed().toStdString();
    volume.connectionBus = drive.value("ConnectionBus").toString().toStdString();
    volume.size = block.value("Size").toULongLong();
    volume.removable = drive.value("Removable").toBool() || drive.value("MediaRemovable").toBool();
    volume.writable = !block.value("ReadOnly").toBool();
    volume.mediaWhole = !interfaces.contains(kPartition);
    return volume;
}

QString errorText(const QDBusMessage &reply)
{
    return reply.errorMessage().isEmpty() ? reply.errorName() : reply.errorMessage();
}

} // namespace

TKUDisks2Service::TKUDisks2Service(QDBusConnection connection, std::chrono::milliseconds mountRetryDelay)
    : m_connection(std::move(connection))
    , m_mountRetryDelay(mountRetryDelay)
{
}

TKUDisks2Service::~TKUDisks2Service() = default;

void TKUDisks2Service::setVolumesChangedHandler(std::function<void()> handler)
{
    m_signals.reset();
    if (handler)
        m_signals = std::make_unique<TKUDisks2Signals>(m_connection, std::move(handler));
}

TKVolumeListing TKUDisks2Service::listVolumes()
{
    TKVolumeListing listing;
    if (!m_connection.isConnected()) {
        listing.problem = "no connection to the system bus: " + m_connection.lastError().message().toStdString();
        qCWarning(lcDisk, "no removable devices: %s", listing.problem.c_str());
        return listing;
    }
    QDBusMessage call = QDBusMessage::createMethodCall(kService, kRootPath, kObjectManager, "GetManagedObjects");
    const QDBusMessage reply = m_connection.call(call);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.signature() != "a{oa{sa{sv}}}") {
        listing.problem = reply.type() == QDBusMessage::ErrorMessage
            ? "UDisks2 is not available: " + errorText(reply).toStdString()
            : "UDisks2 gave an answer of type '" + reply.signature().toStdString() + "'";
        qCWarning(lcDisk, "no removable devices: %s", listing.problem.c_str());
        return listing;
    }
    const ObjectMap objects = managedObjects(reply);
    for (auto object = objects.cbegin(); object != objects.cend(); ++object) {
        if (!object.value().contains(kBlock) || !object.value().contains(kFilesystem))
            continue;
        listing.volumes.push_back(describe(object.key().path(), object.value(), objects));
        if (!listing.volumes.back().mountPath.empty())
            qCInfo(lcDisk, "%s", listing.volumes.back().mountPath.c_str());
    }
    return listing;
}

TKStatus<> TKUDisks2Service::mount(const TKVolumeDescription &volume)
{
    TKStatus<> mounted;
    for (int attempt = 0; attempt < kMountAttempts; ++attempt) {
        mounted = callFilesystem(volume, "Mount", {QVariantMap()},
                                 QStringLiteral("org.freedesktop.UDisks2.Error.AlreadyMounted"));
        // UnknownMethod, UnknownObject, UnknownInterface: the device is still being re-read.
        if (mounted || mounted.error().rfind("org.freedesktop.DBus.Error.Unknown", 0) != 0)
            return mounted;
        QThread::msleep(static_cast<unsigned long>(m_mountRetryDelay.count()));
    }
    return mounted;
}

TKStatus<> TKUDisks2Service::unmount(const TKVolumeDescription &volume)
{
    return callFilesystem(volume, "Unmount", {QVariantMap()}, QStringLiteral("org.freedesktop.UDisks2.Error.NotMounted"));
}

TKStatus<> TKUDisks2Service::setLabel(const TKVolumeDescription &volume, const std::string &label)
{
    return callFilesystem(volume, "SetLabel", {QString::fromStdString(label), QVariantMap()}, QString());
}

TKStatus<> TKUDisks2Service::callFilesystem(const TKVolumeDescription &volume, const QString &method,
                                            const QVariantList &arguments, const QString &harmlessError)
{
    QDBusMessage call = QDBusMessage::createMethodCall(kService, QString::fromStdString(volume.key), kFilesystem, method);
    call.setArguments(arguments);
    const QDBusMessage reply = m_connection.call(call, QDBus::Block, kOperationTimeoutMs);
    if (reply.type() == QDBusMessage::ReplyMessage)
        return {};
    if (!harmlessError.isEmpty() && reply.errorName() == harmlessError)
        return {};
    const std::string problem = reply.errorName().toStdString() + ": " + errorText(reply).toStdString();
    qCWarning(lcDisk, "%s %s failed: %s", qPrintable(method), volume.deviceName.c_str(), problem.c_str());
    return TKError{problem};
}
