#include "viewer/VRDGraphSwitch.h"

#include "widgets/TKLocalization.h"
#include "widgets/TKSegmentedControl.h"

#include <QKeySequence>
#include <QShortcut>
#include <QStackedWidget>

namespace {

using Graph = VRDViewerSettings::Graph;

int indexOf(Graph graph)
{
    return graph == Graph::Speed ? 1 : 0;
}

} // namespace

VRDGraphSwitch::VRDGraphSwitch(TKSegmentedControl &control, QStackedWidget &stack, QWidget &window,
                               QSettings &settings, QObject *parent)
    : QObject(parent), m_control(control), m_stack(stack), m_settings(settings)
{
    m_control.setSegmentCount(2);
    // The player panel's outlined controls with their amber accent.
    m_control.setColors({QColor(Qt::transparent), QColor(0x3b, 0x40, 0x49), QColor(0xd6, 0xd9, 0xde),
                         QColor(0x3a, 0x2f, 0x1c), QColor(0xf0, 0xb4, 0x4c)});
    m_control.setLabel(TKLocalizedString("graph.gsensor"), indexOf(Graph::GSensor));
    m_control.setLabel(TKLocalizedString("graph.speed"), indexOf(Graph::Speed));
    const QKeySequence key(Qt::Key_G);
    m_control.setToolTip(QStringLiteral("%1 (%2)").arg(TKLocalizedString("graph.switch"),
                                                        key.toString(QKeySequence::NativeText)));
    connect(&m_control, &TKSegmentedControl::selectionChanged, this,
            [this](int segment) { show(segment == indexOf(Graph::Speed) ? Graph::Speed : Graph::GSensor); });
    connect(new QShortcut(key, &window), &QShortcut::activated, this, &VRDGraphSwitch::toggle);
    show(VRDViewerSettings(m_settings).graph());
}

VRDViewerSettings::Graph VRDGraphSwitch::shown() const
{
    return m_stack.currentIndex() == indexOf(Graph::Speed) ? Graph::Speed : Graph::GSensor;
}

void VRDGraphSwitch::show(Graph graph)
{
    m_stack.setCurrentIndex(indexOf(graph));
    m_control.setSelectedSegment(indexOf(graph));
    VRDViewerSettings(m_settings).setGraph(graph);
}

void VRDGraphSwitch::toggle()
{
    show(shown() == Graph::Speed ? Graph::GSensor : Graph::Speed);
}
