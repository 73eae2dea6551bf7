#pragma once

#include "viewer/VRDClipMarks.h"

#include <QObject>
#include <QPointer>
#include <QString>

#include <memory>
#include <optional>

namespace Ui {
class VRDClipMarkBar;
}
class QAction;
class QSlider;
class QWidget;
class TKClipMarksOverlay;
class VRDExportDialog;
class VRDMediaEngine;
class VRDPlayInfo;

// Marking and exporting a clip from the main window: keys I and O and the
// "[" and "]" buttons set the in and out points on the recording that
// plays, the position slider shows them, and the export button's menu
// opens the export dialog for the marked range or for the seconds around
// the current position.
class VRDClipExportController : public QObject
{
    Q_OBJECT

public:
    // The marks go over `slider` and the buttons on its right, in the
    // slider's own row of its box layout.
    VRDClipExportController(QWidget &window, QSlider &slider, VRDMediaEngine &player, VRDPlayInfo &playInfo);
    ~VRDClipExportController() override;

    const VRDClipMarks &marks() const { return m_marks; }
    // The open export dialog, or null.
    VRDExportDialog *dialog() const;

public slots:
    void markIn();
    void markOut();
    void exportMarked();
    void exportAroundNow();

private:
    void placeBesideSlider(QSlider &slider);
    double nowSeconds() const;
    double lengthSeconds() const;
    // Marks belong to one recording: another one playing drops them.
    void followRecording();
    void showMarks();
    void openDialog(double from, double to, std::optional<double> instant, bool trim);

    QWidget &m_window;
    VRDMediaEngine &m_player;
    VRDPlayInfo &m_playInfo;
    std::unique_ptr<Ui::VRDClipMarkBar> m_ui;
    QWidget *m_bar = nullptr;
    QAction *m_exportMarkedAction = nullptr;
    QAction *m_exportAroundAction = nullptr;
    TKClipMarksOverlay *m_overlay = nullptr;
    VRDClipMarks m_marks;
    QString m_markedRecording;
    QPointer<VRDExportDialog> m_dialog;
};
