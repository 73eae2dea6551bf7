#pragma once

#include "viewer/VRDCaptureDialogs.h"

// The desktop's own save and print dialogs and default viewer.
class VRDSystemCaptureDialogs final : public VRDCaptureDialogs
{
public:
    QString askSavePath(QWidget *window, const QString &directory, const QString &proposedName) override;
    bool askPrint(QWidget *window, QPrinter &printer) override;
    bool openInViewer(const QUrl &url) override;
};
