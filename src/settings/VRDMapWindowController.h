#pragma once

#include <QObject>
#include <QRect>
#include <QString>
#include <QWidget>
#include <memory>

namespace Ui {
class VRDMapWindowController;
}
class TKMapPage;

// A window of its own showing the map page, for the drive-information log:
// it sits to the right of the window that opened it and shows the fixes it is given.
class VRDMapWindowController : public QObject
{
    Q_OBJECT

public:
    explicit VRDMapWindowController(QObject *parent = nullptr);
    ~VRDMapWindowController() override;

    void showWindow();
    // Left edge at frame's right edge, top at frame's top, size kept.
    void moveWindowRightBy(const QRect &frame);
    // a is the latitude and b the longitude, in decimal degrees; the page is
    // given the longitude first.
    void updateMapLat(double a, double b);
    static QString setLatLagScript(double a, double b);

    QWidget &window() { return m_window; }

private:
    void windowDidLoad();

    QWidget m_window;
    std::unique_ptr<Ui::VRDMapWindowController> m_ui;
    TKMapPage *m_mapPage = nullptr;
};
