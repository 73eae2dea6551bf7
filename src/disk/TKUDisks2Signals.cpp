#include "disk/TKUDisks2Signals.h"

#include <QtDebug>

namespace {

const QString kService = QStringLiteral("org.freedesktop.UDisks2");
const QString kRootPath = QStringLiteral("/org/freedesktop/UDisks2");
const QString kObjectManager = QStringLiteral("org.freedesktop.DBus.ObjectManager");
const QString kProperties = QStringLiteral("org.freedesktop.DBus.Properties");
const QString kFilesystem = QStringLiteral("org.freedesktop.UDisks2.Filesystem");
const QString kBlock = QStringLiteral("org.freedesktop.UDisks2.Block");

} // namespace

TKUDisks2Signals::TKUDisks2Signals(QDBusConnection connection, std::function<void()> handler)
    : m_connection(std::move(connection)), m_handler(std::move(handler))
{
    bool listening = m_connection.isConnected();
    for (const char *name : {"InterfacesAdded", "InterfacesRemoved"}) {
        listening = listening
            && m_connection.connect(kService, kRootPath, kObjectManager, QString::fromLatin1(name), this,
                                    SLOT(objectsChanged(QDBusMessage)));
    }
    // Any object of the service: the path of a new card is not known beforehand.
    listening = listening
        && m_connection.connect(kService, QString(), kProperties, QStringLiteral("PropertiesChanged"), this,
                                SLOT(propertiesChanged(QDBusMessage)));
    m_listening = listening;
    if (!m_listening)
        qInfo("not told of inserted cards: %s", qUtf8Printable(m_connection.lastError().message()));
}

TKUDisks2Signals::~TKUDisks2Signals()
{
    for (const char *name : {"InterfacesAdded", "InterfacesRemoved"}) {
        m_connection.disconnect(kService, kRootPath, kObjectManager, QString::fromLatin1(name), this,
                                SLOT(objectsChanged(QDBusMessage)));
    }
    m_connection.disconnect(kService, QString(), kProperties, QStringLiteral("PropertiesChanged"), this,
                            SLOT(propertiesChanged(QDBusMessage)));
}

void TKUDisks2Signals::objectsChanged(const QDBusMessage &)
{
    m_handler();
}

void TKUDisks2Signals::propertiesChanged(const QDBusMessage &message)
{
    // Drives and jobs change often; only mount points and labels matter here.
    const QString interface = message.arguments().value(0).toString();
    if (interface == kFilesystem || interface == kBlock)
        m_handler();
}
