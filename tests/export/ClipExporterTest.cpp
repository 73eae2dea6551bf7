// A cancelled export leaves nothing in its folder, whichever step it
// was in.
#include "ExportDemoCard.h"

#include "export/VRDClipExporter.h"

#include <gtest/gtest.h>

#include <QDir>

TEST(ClipExporter, CancelAtAnyStepLeavesNoFile)
{
    const ExportDemoCard &card = ExportDemoCard::instance();
    ASSERT_TRUE(card.ok());
    for (const double cancelAt : {0.0, 0.2, 0.5, 0.9}) {
        SCOPED_TRACE(cancelAt);
        const QString out = qEnvironmentVariable("TOVIK_TEST_TMP") + "/cancelled";
        QDir(out).removeRecursively();
        VRDClipExporter::Request request;
        request.file = card.path("event_20240315_081212_F.MP4").toStdString();
        request.from = 0.5;
        request.to = 3.5;
        request.directory = out.toStdString();
        request.sideBySide = true;
        request.report = true;
        std::atomic<bool> cancel = false;
        const VRDExportMonitor monitor{[&](double fraction) { cancel = cancel || fraction >= cancelAt; }, &cancel};
        const VRDClipExporter::Outcome outcome = VRDClipExporter::run(request, monitor);
        EXPECT_FALSE(outcome.ok);
        EXPECT_EQ(outcome.error, "cancelled");
        EXPECT_TRUE(outcome.written.empty());
        EXPECT_TRUE(QDir(out).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot).isEmpty());
    }
}
