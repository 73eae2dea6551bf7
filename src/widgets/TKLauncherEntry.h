#pragma once

#include <QString>

// Shows progress on the desktop launcher's icon of the application through the
// com.canonical.Unity.LauncherEntry signal (Ubuntu dock, KDE task manager, Plank).
// Without a session bus nothing is sent and nothing is reported: the window
// icon still shows the progress.
class TKLauncherEntry
{
public:
    explicit TKLauncherEntry(QString desktopFileName);

    void showProgress(double fraction);
    void hideProgress();

private:
    void send(double fraction, bool visible);

    QString m_applicationUri;
};
