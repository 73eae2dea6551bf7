#pragma once

#include <QSize>
#include <QString>

#include <optional>

class QSettings;

// What the viewer remembers between runs, in the application's settings
// (~/.config/<organisation>/<application>.conf): the last folder, the window
// size, the volume and the graph shown. Values that cannot be used now read as absent.
class VRDViewerSettings
{
public:
    enum class Graph { GSensor, Speed };

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

    // The G-sensor graph on the first run and for an unknown value.
    Graph graph() const;
    void setGraph(Graph graph);

private:
    QSettings &m_settings;
};
