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

// The window's dark panel; the control's own style reads these roles.
QPalette darkPalette(QPalette palette)
{
    palette.setColor(QPalette::Button, QColor(0x1f, 0x22, 0x27));
    palette.setColor(QPalette::ButtonText, QColor(0xd6, 0xd9, 0xde));
    palette.setColor(QPalette::Mid, QColor(0x3b, 0x40, 0x49));
    palette.setColor(QPalette::Highlight, QColor(0xe0, 0x8f, 0x22));
    palette.setColor(QPalette::HighlightedText, QColor(0x10, 0x11, 0x14));
    return palette;
}

} // namespace

VRDGraphSwitch::VRDGraphSwitch(TKSegmentedControl &control, QStackedWidget &stack, QWidget &window,
                               QSettings &settings, QObject *parent)
    : QObject(parent), m_control(control), m_stack(stack), m_settings(settings)
{
    m_control.setSegmentCount(2);
    m_control.setLabel(TKLocalizedString("graph.gsensor"), indexOf(Graph::GSensor));
    m_control.setLabel(TKLocalizedString("graph.speed"), indexOf(Graph::Speed));
    m_control.setPalette(darkPalette(m_control.palette()));
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
