#include "widgets/TKMapWebPage.h"

#include "widgets/TKWidgetsLog.h"

void TKMapWebPage::javaScriptConsoleMessage(JavaScriptConsoleMessageLevel, const QString &message, int lineNumber,
                                            const QString &sourceID)
{
    qCInfo(lcWidgets, "map page %s:%d: %s", qPrintable(sourceID), lineNumber, qPrintable(message));
}
