#pragma once

#include "viewer/VRDViewerSettings.h"

#include <QObject>

class QSettings;
class QStackedWidget;
class QWidget;
class TKSegmentedControl;

// Chooses the graph of the sensor panel, G-sensor or speed: with its
// segmented control or the G key anywhere in the window, remembered between
// runs. The stack's pages are in the order of VRDViewerSettings::Graph.
class VRDGraphSwitch : public QObject
{
    Q_OBJECT

public:
    VRDGraphSwitch(TKSegmentedControl &control, QStackedWidget &stack, QWidget &window, QSettings &settings,
                   QObject *parent = nullptr);

    VRDViewerSettings::Graph shown() const;
    void show(VRDViewerSettings::Graph graph);
    void toggle();

private:
    TKSegmentedControl &m_control;
    QStackedWidget &m_stack;
    QSettings &m_settings;
};
