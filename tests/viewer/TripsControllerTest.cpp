// The drives panel's controller with drives made in memory: the play head
// follows playback and a drive that starts playing is chosen and scrolled
// to; a drive is exported as GPX (read back by gpsbabel's track filter) or
// the user is told why not; a day jumps to its first drive; the keyboard
// works the list.
#include "viewer/VRDTripsController.h"
#include "viewer/VRDTripsView.h"

#include <QDateEdit>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace {

double localNoon(int day)
{
    return static_cast<double>(QDateTime(QDate(2024, 3, day), QTime(12, 0)).toSecsSinceEpoch());
}

// A drive of two recordings (60 s and 40 s) with a route in two stretches
// (a gap without fixes between them) of ten points a second apart.
VRDTrip drive(double start, const QString &name)
{
    VRDTrip trip;
    trip.startUtc = start;
    trip.endUtc = start + 100;
    trip.recordings = {("/card/" + name + "a_F.MP4").toStdString(), ("/card/" + name + "b_F.MP4").toStdString()};
    trip.blocks = {{VRDTripBlock::Kind::Always, start, start + 60, true}, {VRDTripBlock::Kind::Always, start + 60, start + 100, true}};
    for (int stretch = 0; stretch < 2; ++stretch) {
        trip.stretches.emplace_back();
        for (int i = 0; i < 10; ++i) {
            const double at = start + stretch * 70 + i;
            trip.stretches.back().push_back({at, 48.1, 11.5 + (at - start) * 1e-4, 36.0, stretch == 0 ? 0u : 1u,
                                             stretch == 0 ? static_cast<double>(i) : 10.0 + i});
        }
    }
    return trip;
}

std::vector<VRDTrip> drivesOnDays(const std::vector<int> &days)
{
    std::vector<VRDTrip> trips;
    for (std::size_t i = 0; i < days.size(); ++i)
        trips.push_back(drive(localNoon(days[i]) + static_cast<double>(i) * 600, QStringLiteral("d%1").arg(i)));
    return trips;
}

class TripsControllerTest : public ::testing::Test
{
protected:
    TripsControllerTest()
    {
        area.setWidgetResizable(true);
        area.setWidget(view);
        area.resize(360, 200);
    }

    QScrollArea area;
    VRDTripsView *view = new VRDTripsView;
    VRDTripsController controller{*view, nullptr};
};

} // namespace

TEST_F(TripsControllerTest, PlayHeadFollowsPlaybackAndADriveThatStartsPlayingIsChosenAndShown)
{
    view->setTrips(drivesOnDays({15, 15, 15, 15, 15, 15, 15, 15, 15, 15}));
    area.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&area));
    const std::vector<VRDTrip> &trips = view->trips();

    // 10 s into the drive's second recording: 70 % along its time line.
    controller.showPlaying(QString::fromStdString(trips[0].recordings[1]), 10.0);
    EXPECT_EQ(view->playheadRow(), 0);
    EXPECT_EQ(view->selectedRow(), 0) << "the drive that plays is chosen";
    const QRectF line = view->timelineRect(0);
    ASSERT_TRUE(view->playheadX());
    EXPECT_NEAR(*view->playheadX(), line.left() + 0.7 * line.width(), 0.5);
    // Past its end the head stays on the recording's block.
    controller.showPlaying(QString::fromStdString(trips[0].recordings[1]), 400.0);
    EXPECT_NEAR(*view->playheadX(), line.right(), 0.5);

    // The user looks at another drive while this one plays on: it stays chosen.
    view->selectRow(3);
    controller.showPlaying(QString::fromStdString(trips[0].recordings[1]), 20.0);
    EXPECT_EQ(view->selectedRow(), 3);
    EXPECT_NEAR(*view->playheadX(), line.left() + 0.8 * line.width(), 0.5);

    // Playback moves on to a drive further down: chosen and scrolled into view.
    EXPECT_EQ(area.verticalScrollBar()->value(), 0);
    controller.showPlaying(QString::fromStdString(trips[8].recordings[0]), 0.0);
    EXPECT_EQ(view->selectedRow(), 8);
    EXPECT_EQ(view->playheadRow(), 8);
    const int top = 26 + 8 * VRDTripsView::kRowHeight - area.verticalScrollBar()->value();
    EXPECT_GE(top, 0);
    EXPECT_LE(top + VRDTripsView::kRowHeight, area.viewport()->height());

    // More of the card read: the drives before it grow in number, the chosen
    // and the playing drive stay the same drives.
    std::vector<VRDTrip> grown = drivesOnDays({15, 15, 15, 15, 15, 15, 15, 15, 15, 15});
    grown.insert(grown.begin(), drive(localNoon(14), "earlier"));
    const std::string playing = grown[9].recordings[0];
    EXPECT_EQ(playing, trips[8].recordings[0]);
    view->setTrips(std::move(grown));
    EXPECT_EQ(view->selectedRow(), 9);
    EXPECT_EQ(view->playheadRow(), 9);
    controller.showPlaying(QString::fromStdString(playing), 5.0);
    EXPECT_EQ(view->playheadRow(), 9);
    EXPECT_EQ(view->selectedRow(), 9);

    // A recording in no drive, and nothing playing.
    controller.showPlaying(QStringLiteral("/card/elsewhere_F.MP4"), 3.0);
    EXPECT_EQ(view->playheadRow(), -1);
    EXPECT_EQ(view->selectedRow(), 9);
    controller.showPlaying({}, 0.0);
    EXPECT_FALSE(view->playheadX());
}

TEST_F(TripsControllerTest, ExportWritesTheDrivesGpxForGpsbabelOrSaysWhyNot)
{
    std::vector<VRDTrip> trips = drivesOnDays({15, 16});
    trips[1].stretches.clear();
    view->setTrips(std::move(trips));
    const QString folder = qEnvironmentVariable("TOVIK_TEST_TMP");
    QString answer = folder + "/drive.gpx";
    QStringList proposed;
    QStringList errors;
    controller.setDialogs({[&](const QString &name) {
                               proposed.append(name);
                               return answer;
                           },
                           [&](const QString &message) { errors.append(message); }});
    QPushButton exportButton;
    QDateEdit dateEdit;
    controller.attachToolBar(exportButton, dateEdit);
    EXPECT_FALSE(exportButton.isEnabled()) << "nothing chosen";
    view->selectRow(0);
    EXPECT_TRUE(exportButton.isEnabled());
    exportButton.click();
    ASSERT_TRUE(errors.isEmpty()) << errors.join('\n').toStdString();
    ASSERT_EQ(proposed.size(), 1);
    EXPECT_TRUE(proposed[0].startsWith("trip-2024031")) << proposed[0].toStdString();
    EXPECT_TRUE(proposed[0].endsWith(".gpx"));
    QFile written(answer);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_EQ(written.readAll().count("<trkseg>"), 2) << "one segment per stretch of fixes";

    // gpsbabel's track filter refuses points without a time.
    QProcess gpsbabel;
    gpsbabel.start("gpsbabel", {"-t", "-i", "gpx", "-f", answer, "-x", "track,merge", "-o", "unicsv", "-F", "-"});
    ASSERT_TRUE(gpsbabel.waitForFinished(30000));
    ASSERT_EQ(gpsbabel.exitCode(), 0) << gpsbabel.readAllStandardError().toStdString();
    const QStringList rows = QString::fromUtf8(gpsbabel.readAllStandardOutput()).split("\r\n", Qt::SkipEmptyParts);
    EXPECT_EQ(rows.size(), 1 + 20) << "a header and every point";
    gpsbabel.start("gpsbabel", {"-i", "gpx", "-f", answer, "-o", "csv", "-F", "-"});
    ASSERT_TRUE(gpsbabel.waitForFinished(30000));
    EXPECT_EQ(gpsbabel.exitCode(), 0) << gpsbabel.readAllStandardError().toStdString();

    // A place that cannot be written: told, with the place.
    QFile blocker(folder + "/not-a-folder");
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    answer = folder + "/not-a-folder/drive.gpx";
    controller.exportSelectedTrip();
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors[0].contains(QDir::toNativeSeparators(answer))) << errors[0].toStdString();

    // Cancelled: nothing happens.
    answer.clear();
    controller.exportSelectedTrip();
    EXPECT_EQ(errors.size(), 1);

    // A drive without a route has nothing to export, and the user is told so.
    view->selectRow(1);
    EXPECT_FALSE(exportButton.isEnabled());
    const qsizetype asked = proposed.size();
    controller.exportTrip(1);
    EXPECT_EQ(proposed.size(), asked) << "no file is asked for";
    EXPECT_EQ(errors.size(), 2);
}

TEST_F(TripsControllerTest, ADayJumpsToItsFirstDriveAndTheKeyboardWorksTheList)
{
    view->setTrips(drivesOnDays({14, 14, 16, 16, 16, 18, 18, 18, 18, 20}));
    QPushButton exportButton;
    QDateEdit dateEdit;
    dateEdit.setDisplayFormat("yyyy-MM-dd");
    controller.attachToolBar(exportButton, dateEdit);
    area.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&area));

    dateEdit.setDate(QDate(2024, 3, 16));
    EXPECT_EQ(view->selectedRow(), 2);
    dateEdit.setDate(QDate(2024, 3, 17));
    EXPECT_EQ(view->selectedRow(), 5) << "no drive that day: the next one";
    dateEdit.setDate(QDate(2024, 3, 21));
    EXPECT_EQ(dateEdit.date(), QDate(2024, 3, 20)) << "the field offers the days of the card";
    EXPECT_EQ(view->selectedRow(), 9);
    EXPECT_GT(area.verticalScrollBar()->value(), 0) << "the last drive was scrolled to";
    controller.jumpToDate(QDate(2024, 3, 21));
    EXPECT_EQ(view->selectedRow(), 9) << "none on or after: the choice stays";

    // By keyboard: the day field's day goes up by one.
    dateEdit.setDate(QDate(2024, 3, 1));
    EXPECT_EQ(dateEdit.date(), QDate(2024, 3, 14));
    EXPECT_EQ(view->selectedRow(), 0);
    dateEdit.setFocus();
    QTest::keyClick(&dateEdit, Qt::Key_End);
    QTest::keyClick(&dateEdit, Qt::Key_Up);
    EXPECT_EQ(dateEdit.date(), QDate(2024, 3, 15));
    EXPECT_EQ(view->selectedRow(), 2);
    QTest::keyClick(&dateEdit, Qt::Key_Up);
    QTest::keyClick(&dateEdit, Qt::Key_Up);
    EXPECT_EQ(view->selectedRow(), 5);

    // A drive chosen in the list shows its day in the field.
    view->selectRow(8);
    EXPECT_EQ(dateEdit.date(), QDate(2024, 3, 18));
    view->selectRow(5);

    // The list itself: down, end, home, and Enter plays the chosen drive from its start.
    QSignalSpy moment(view, &VRDTripsView::momentRequested);
    view->setFocus();
    QTest::keyClick(view, Qt::Key_Down);
    EXPECT_EQ(view->selectedRow(), 6);
    QTest::keyClick(view, Qt::Key_End);
    EXPECT_EQ(view->selectedRow(), 9);
    QTest::keyClick(view, Qt::Key_Home);
    EXPECT_EQ(view->selectedRow(), 0);
    QTest::keyClick(view, Qt::Key_Up);
    EXPECT_EQ(view->selectedRow(), 0);
    QTest::keyClick(view, Qt::Key_Return);
    ASSERT_EQ(moment.count(), 1);
    EXPECT_EQ(moment[0][0].toString().toStdString(), view->trips()[0].recordings[0]);
    EXPECT_EQ(moment[0][1].toDouble(), 0.0);
}
