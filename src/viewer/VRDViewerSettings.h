#pragma once

#include <QSize>
#include <QString>

#include <optional>

class QSettings;

// What the viewer remembers between runs, in the application's settings
// (~/.config/<organisation>/<application>.conf): the last folder, the window
// size and the volume. Values that cannot be used now read as absent.
class VRDViewerSettings
{
public:
    explicit VRDViewerSettings(QSettings &settings);

    // The last folder, only while it still exists.
    std::optional<QString> lastFolder() const;
    void setLastFolder(const QString &folder);

    // The last size, never below `minimum`.
    std::optional<QSize> windowSize(QSize minimum) const;
    void setWindowSize(QSize size);

    // 0 to 200; `initial` on the first run.
    int volume(int initial) const;
    void setVolume(int volume);

private:
    QSettings &m_settings;
};
