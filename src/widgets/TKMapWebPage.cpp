#include "widgets/TKMapWebPage.h"

#include <QDebug>

void TKMapWebPage::javaScriptConsoleMessage(JavaScriptConsoleMessageLevel, const QString &message, int lineNumber,
                                            const QString &sourceID)
{
    qInfo("map page %s:%d: %s", qPrintable(sourceID), lineNumber, qPrintable(message));
}
