#pragma once

#include <QString>

class QPrinter;
class QUrl;
class QWidget;

// The questions still capture asks the user, and the viewer it opens; tests
// answer them without a user.
class VRDCaptureDialogs
{
public:
    virtual ~VRDCaptureDialogs() = default;

    // The path chosen in a save dialog, empty when cancelled.
    virtual QString askSavePath(QWidget *window, const QString &directory, const QString &proposedName) = 0;
    // Shows the print dialog for printer; true when the user confirmed.
    virtual bool askPrint(QWidget *window, QPrinter &printer) = 0;
    // Opens the file in the desktop's default viewer without waiting.
    virtual bool openInViewer(const QUrl &url) = 0;
};
