#include "viewer/VRDStillCapture.h"

#include "player/VRDMediaEngine.h"
#include "viewer/VRDCaptureDialogs.h"
#include "viewer/VRDDualPlaybackController.h"
#include "viewer/VRDViewerLog.h"
#include "widgets/TKInterfaceHelpers.h"
#include "widgets/TKLocalization.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QPrinter>
#include <QStandardPaths>
#include <QUrl>

VRDStillCapture::VRDStillCapture(VRDMediaEngine &player1, QWidget &window, VRDCaptureDialogs &dialogs,
                                 QObject *parent)
    : QObject(parent), m_player1(player1), m_window(window), m_dialogs(dialogs)
{
    connect(&m_player1, &VRDMediaEngine::snapshotFinished, this, &VRDStillCapture::snapshotFinished);
}

VRDStillCapture::~VRDStillCapture() = default;

QString VRDStillCapture::capturePath()
{
    return QDir::tempPath() + QStringLiteral("/tovik_capture.jpg");
}

void VRDStillCapture::captureVideo()
{
    if (!VRDDualPlaybackController::isPlaying(m_player1))
        return;
    m_pending = Purpose::Save;
    m_player1.saveSnapshot(capturePath());
}

void VRDStillCapture::print()
{
    if (!m_player1.hasMedia())
        return;
    m_pending = Purpose::Print;
    m_player1.saveSnapshot(capturePath());
}

QPrinter &VRDStillCapture::loadPrintInfo()
{
    if (!m_printInfo)
        m_printInfo = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *m_printInfo;
}

void VRDStillCapture::snapshotFinished(VRDMediaEngine *, const QString &path, bool saved)
{
    if (!m_pending || path != capturePath())
        return;
    const Purpose purpose = *std::exchange(m_pending, std::nullopt);
    if (!saved) {
        fail(TKLocalizedString("msg.capture_fail"), path);
        return;
    }
    if (purpose == Purpose::Save)
        saveCapture();
    else
        printPanelDidEnd(m_dialogs.askPrint(&m_window, loadPrintInfo()));
}

void VRDStillCapture::saveCapture()
{
    const QString desktop = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
    const QString target = m_dialogs.askSavePath(&m_window, desktop, QStringLiteral("tovik_capture.png"));
    if (target.isEmpty())
        return;
    // The dialog has already asked whether to replace an existing file.
    if (QFile::exists(target) && !QFile::remove(target)) {
        fail(TKLocalizedString("msg.capture_save_fail"), target);
        return;
    }
    if (!QFile::copy(capturePath(), target)) {
        fail(TKLocalizedString("msg.capture_save_fail"), target);
        return;
    }
    emit captureSaved(target);
    if (!m_dialogs.openInViewer(QUrl::fromLocalFile(capturePath())))
        qCWarning(lcViewer, "no viewer opened %s", qPrintable(capturePath()));
}

void VRDStillCapture::printPanelDidEnd(bool confirmed)
{
    if (!confirmed)
        return;
    if (printPicture())
        emit printed();
}

bool VRDStillCapture::printPicture()
{
    QPrinter &printer = loadPrintInfo();
    const QImage picture(capturePath());
    if (picture.isNull()) {
        fail(TKLocalizedString("msg.capture_fail"), capturePath());
        return false;
    }
    QPainter painter;
    if (!painter.begin(&printer)) {
        const QString destination = printer.outputFileName().isEmpty() ? printer.printerName() : printer.outputFileName();
        qCWarning(lcViewer, "printing to %s could not start", qPrintable(destination));
        fail(TKLocalizedString("msg.print_fail"), destination);
        return false;
    }
    // Fit to page: as large as the page allows, proportions kept, centred.
    const QRect page = painter.viewport();
    const QSize fitted = picture.size().scaled(page.size(), Qt::KeepAspectRatio);
    const QRect target(page.x() + (page.width() - fitted.width()) / 2,
                       page.y() + (page.height() - fitted.height()) / 2, fitted.width(), fitted.height());
    painter.drawImage(target, picture);
    if (!painter.end()) {
        fail(TKLocalizedString("msg.print_fail"), printer.printerName());
        return false;
    }
    return true;
}

void VRDStillCapture::fail(const QString &message, const QString &detail)
{
    qCWarning(lcViewer, "%s: %s", qPrintable(message), qPrintable(detail));
    TKShowAlert(&m_window, message, detail);
    emit failed(message);
}
