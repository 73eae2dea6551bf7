#pragma once

#include <QObject>
#include <QString>
#include <memory>
#include <optional>

class QPrinter;
class QWidget;
class VRDCaptureDialogs;
class VRDMediaEngine;

// Takes the current frame of the main video into one fixed temporary JPEG and
// then saves a copy where the user chooses or prints it, fitted to the page.
// Failures are told in the window.
class VRDStillCapture : public QObject
{
    Q_OBJECT

public:
    VRDStillCapture(VRDMediaEngine &player1, QWidget &window, VRDCaptureDialogs &dialogs,
                    QObject *parent = nullptr);
    ~VRDStillCapture() override;

    // The temporary picture every capture overwrites.
    static QString capturePath();

    // Capture and save; only while player1 plays.
    void captureVideo();
    // Capture and print; whenever player1 has a media, paused too.
    void print();
    // The print settings, kept so the user's choices carry over.
    QPrinter &loadPrintInfo();

signals:
    void captureSaved(const QString &path);
    void printed();
    void failed(const QString &message);

private:
    enum class Purpose { Save, Print };

    void snapshotFinished(VRDMediaEngine *engine, const QString &path, bool saved);
    void saveCapture();
    void printPanelDidEnd(bool confirmed);
    bool printPicture();
    void fail(const QString &message, const QString &detail);

    VRDMediaEngine &m_player1;
    QWidget &m_window;
    VRDCaptureDialogs &m_dialogs;
    std::unique_ptr<QPrinter> m_printInfo;
    std::optional<Purpose> m_pending;
};
