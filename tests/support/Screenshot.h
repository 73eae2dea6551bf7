#pragma once

#include <QCoreApplication>
#include <QDir>
#include <QLayout>
#include <QWidget>

// Saves a picture of the window as <build>/screenshots/<name>.png for a
// person to look at. Run by hand without TOVIK_BUILD_DIR, the picture goes
// to the system's temporary folder, never into the current folder.
inline bool saveScreenshot(QWidget &window, const QString &name)
{
    if (window.layout() != nullptr)
        window.layout()->activate();
    QCoreApplication::processEvents();
    const QString build = qEnvironmentVariable("TOVIK_BUILD_DIR", QDir::tempPath() + "/tovik-tests");
    const QDir folder(build + "/screenshots");
    return folder.mkpath(".") && window.grab().save(folder.filePath(name + ".png"));
}
