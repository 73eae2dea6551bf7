#pragma once

// Shows the viewer's window and opens a card folder in it, as a user starting the viewer
// on a card would; false when the window was not shown or the list did not fill in time.
#include "viewer/VRDAppDelegate.h"
#include "viewer/VRDMediaTableModel.h"

#include <QSignalSpy>
#include <QTest>

inline bool showViewerOnCard(VRDAppDelegate &app, const QString &card)
{
    app.applicationDidFinishLaunching();
    app.window().show();
    if (!QTest::qWaitForWindowExposed(&app.window()))
        return false;
    QSignalSpy listed(&app.mediaTableModel(), &QAbstractItemModel::modelReset);
    app.openMediaDirectory(card);
    return listed.wait(10000);
}
