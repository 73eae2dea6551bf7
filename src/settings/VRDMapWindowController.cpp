#include "settings/VRDMapWindowController.h"

#include "ui_VRDMapWindowController.h"
#include "settings/VRDSettingsLog.h"
#include "widgets/TKMapPage.h"

#include <QDebug>

VRDMapWindowController::VRDMapWindowController(QObject *parent)
    : QObject(parent), m_ui(std::make_unique<Ui::VRDMapWindowController>())
{
    m_ui->setupUi(&m_window);
    windowDidLoad();
}

VRDMapWindowController::~VRDMapWindowController() = default;

void VRDMapWindowController::windowDidLoad()
{
    QString frame;
    QDebug(&frame).nospace() << m_window.geometry();
    qCInfo(lcSettings, "%s", qPrintable(frame));
    m_mapPage = new TKMapPage(m_ui->mapWebView, this);
}

void VRDMapWindowController::showWindow()
{
    m_window.show();
    m_window.raise();
}

void VRDMapWindowController::moveWindowRightBy(const QRect &frame)
{
    m_window.move(frame.x() + frame.width(), frame.y());
}

QString VRDMapWindowController::setLatLagScript(double a, double b)
{
    return QString::asprintf("setLatLag('%lf','%lf')", b, a);
}

void VRDMapWindowController::updateMapLat(double a, double b)
{
    m_mapPage->runScript(setLatLagScript(a, b));
}
