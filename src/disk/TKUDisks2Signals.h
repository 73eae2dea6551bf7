#pragma once

#include <QDBusConnection>
#include <QDBusMessage>
#include <QObject>

#include <functional>

// Listens to UDisks2's change signals on D-Bus: objects added or removed
// (a card inserted or pulled) and changed file-system properties (mount
// points). Each of them calls the handler once.
class TKUDisks2Signals : public QObject
{
    Q_OBJECT

public:
    TKUDisks2Signals(QDBusConnection connection, std::function<void()> handler);
    ~TKUDisks2Signals() override;

    // False when the bus refused a subscription; the handler then hears nothing of it.
    bool isListening() const { return m_listening; }

private slots:
    void objectsChanged(const QDBusMessage &message);
    void propertiesChanged(const QDBusMessage &message);

private:
    QDBusConnection m_connection;
    std::function<void()> m_handler;
    bool m_listening = false;
};
