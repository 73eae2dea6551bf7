#include "viewer/VRDViewerSettings.h"

#include <QFileInfo>
#include <QSettings>

#include <algorithm>

namespace {

const QString kFolderKey = QStringLiteral("viewer/lastFolder");
const QString kSizeKey = QStringLiteral("viewer/windowSize");
const QString kVolumeKey = QStringLiteral("viewer/volume");
const QString kGraphKey = QStringLiteral("viewer/graph");
const QString kSpeedGraph = QStringLiteral("speed");
const QString kGSensorGraph = QStringLiteral("gsensor");
constexpr int kMaxVolume = 200;

} // namespace

VRDViewerSettings::VRDViewerSettings(QSettings &settings) : m_settings(settings) {}

std::optional<QString> VRDViewerSettings::lastFolder() const
{
    const QString folder = m_settings.value(kFolderKey).toString();
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        return std::nullopt;
    return folder;
}

void VRDViewerSettings::setLastFolder(const QString &folder)
{
    m_settings.setValue(kFolderKey, folder);
}

std::optional<QSize> VRDViewerSettings::windowSize(QSize minimum) const
{
    const QSize size = m_settings.value(kSizeKey).toSize();
    if (!size.isValid() || size.isEmpty())
        return std::nullopt;
    return size.expandedTo(minimum);
}

void VRDViewerSettings::setWindowSize(QSize size)
{
    m_settings.setValue(kSizeKey, size);
}

int VRDViewerSettings::volume(int initial) const
{
    bool ok = false;
    const int volume = m_settings.value(kVolumeKey).toInt(&ok);
    return ok ? std::clamp(volume, 0, kMaxVolume) : initial;
}

void VRDViewerSettings::setVolume(int volume)
{
    m_settings.setValue(kVolumeKey, std::clamp(volume, 0, kMaxVolume));
}

VRDViewerSettings::Graph VRDViewerSettings::graph() const
{
    return m_settings.value(kGraphKey).toString() == kSpeedGraph ? Graph::Speed : Graph::GSensor;
}

void VRDViewerSettings::setGraph(Graph graph)
{
    m_settings.setValue(kGraphKey, graph == Graph::Speed ? kSpeedGraph : kGSensorGraph);
}
