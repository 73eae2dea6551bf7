#include "viewer/VRDSystemCaptureDialogs.h"

#include <QAbstractPrintDialog>
#include <QDesktopServices>
#include <QFileDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QUrl>

QString VRDSystemCaptureDialogs::askSavePath(QWidget *window, const QString &directory,
                                             const QString &proposedName)
{
    QFileDialog dialog(window, QStringLiteral("Save Settings"), directory);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setFilter(dialog.filter() | QDir::Hidden);
    dialog.selectFile(proposedName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

bool VRDSystemCaptureDialogs::askPrint(QWidget *window, QPrinter &printer)
{
    QPrintDialog dialog(&printer, window);
    dialog.setOptions(dialog.options() | QAbstractPrintDialog::PrintShowPageSize);
    return dialog.exec() == QDialog::Accepted;
}

bool VRDSystemCaptureDialogs::openInViewer(const QUrl &url)
{
    return QDesktopServices::openUrl(url);
}
