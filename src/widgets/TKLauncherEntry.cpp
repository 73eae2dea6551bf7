#include "widgets/TKLauncherEntry.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QVariantMap>

namespace {

constexpr auto kObjectPath = "/com/canonical/unity/launcherentry/tovik";
constexpr auto kInterface = "com.canonical.Unity.LauncherEntry";

} // namespace

TKLauncherEntry::TKLauncherEntry(QString desktopFileName)
    : m_applicationUri(QStringLiteral("application://") + desktopFileName)
{
}

void TKLauncherEntry::showProgress(double fraction)
{
    send(fraction, true);
}

void TKLauncherEntry::hideProgress()
{
    send(0.0, false);
}

void TKLauncherEntry::send(double fraction, bool visible)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return;
    QDBusMessage signal = QDBusMessage::createSignal(QString::fromLatin1(kObjectPath),
                                                     QString::fromLatin1(kInterface),
                                                     QStringLiteral("Update"));
    const QVariantMap properties{{QStringLiteral("progress"), fraction},
                                 {QStringLiteral("progress-visible"), visible}};
    signal << m_applicationUri << properties;
    // A desktop without a launcher simply ignores the signal.
    bus.send(signal);
}
