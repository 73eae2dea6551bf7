#include "devicedata/VRDDriveInfoLog.h"
#include "settings/VRDDriveInfoTableModel.h"
#include "settings/VRDConfigDocument.h"
#include "settings/VRDMapPresenter.h"
#include "settings/VRDSettingForFlashDataViewController.h"
#include "config/FILEDATA.h"
#include "TestFolder.h"
#include "ui_VRDSettingForFlashDataViewController.h"
#include "widgets/TKLocalization.h"

#include <QMessageBox>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

inline void PrintTo(const QString &text, std::ostream *out)
{
    *out << '"' << text.toStdString() << '"';
}

namespace {

std::string readFile(const std::filesystem::path &path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

void writeLog(const std::filesystem::path &path, const std::vector<VRDDriveInfoRecord> &records)
{
    const std::vector<std::uint8_t> bytes = VRDDriveInfoLog::toBytes(records);
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char *>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

VRDDriveInfoRecord record(std::uint16_t seq, std::uint16_t latitudeWhole, std::uint16_t longitudeWhole)
{
    VRDDriveInfoRecord r;
    r.seq = seq;
    r.yoil = 7;
    r.value = 2;
    r.year = 124;
    r.month = 3;
    r.day = 5;
    r.hour = 14;
    r.minute = 7;
    r.second = 9;
    r.latitudeWhole = latitudeWhole;
    r.latitudeFraction = 5678;
    r.longitudeWhole = longitudeWhole;
    r.longitudeFraction = 12;
    r.rpm = -2;
    r.x = 384;
    r.battery = 125;
    return r;
}

// Notes every call the tab makes on its map window, and the window's end.
class FakeMapWindow : public VRDMapPresenter {
public:
    explicit FakeMapWindow(QStringList &calls) : m_calls(calls) { m_calls.append("create"); }
    ~FakeMapWindow() override { m_calls.append("release"); }

    void showWindow() override { m_calls.append("show"); }
    void moveWindowRightBy(const QRect &frame) override
    {
        m_calls.append(QString("move %1,%2 %3x%4").arg(frame.x()).arg(frame.y()).arg(frame.width()).arg(frame.height()));
    }
    void updateMapLat(double latitude, double longitude) override
    {
        m_calls.append(QString::asprintf("map %.5f %.5f", latitude, longitude));
    }

private:
    QStringList &m_calls;
};

QMessageBox *visibleAlert(QWidget *window)
{
    for (QMessageBox *box : window->findChildren<QMessageBox *>())
        if (box->isVisible())
            return box;
    return nullptr;
}

class FlashDataViewTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder = TestFolder(::testing::UnitTest::GetInstance()->current_test_info()->name()).path();
        logPath = folder / "tovik_000.drv";
        VRDDriveInfoRecord withoutFix = record(2, 0, 12700);
        withoutFix.latitudeFraction = 0;
        writeLog(logPath, {record(1, 3734, 12700), withoutFix, record(3, 3500, 12900)});
    }

    std::unique_ptr<VRDSettingForFlashDataViewController> makeTab()
    {
        VRDSettingForFlashDataViewController::Environment environment;
        environment.chooseOpenPath = [this](QWidget *) { return openPath; };
        environment.chooseSavePath = [this](QWidget *, const QString &proposed) {
            proposals.append(proposed);
            return savePath;
        };
        environment.makeMapWindow = [this] { return std::make_unique<FakeMapWindow>(mapCalls); };
        auto tab = std::make_unique<VRDSettingForFlashDataViewController>(environment);
        tab->resize(900, 400);
        tab->show();
        return tab;
    }

    // Shows the tab with a record, as the settings window does, and waits for the first read.
    std::unique_ptr<VRDSettingForFlashDataViewController> loadedTab()
    {
        auto tab = makeTab();
        tab->setM_FlashDataFilePath(QString::fromStdString(logPath.string()));
        QSignalSpy loaded(tab.get(), &VRDSettingForFlashDataViewController::flashDataLoaded);
        tab->setFileData(&document_);
        EXPECT_TRUE(loaded.wait(5000));
        return tab;
    }

    std::filesystem::path folder;
    std::filesystem::path logPath;
    VRDConfigDocument document_;
    QString openPath;
    QString savePath;
    QStringList proposals;
    QStringList mapCalls;
};

TEST_F(FlashDataViewTest, FirstDisplayWithARecordReadsTheCardsLogOnce)
{
    auto tab = makeTab();
    tab->setM_FlashDataFilePath(QString::fromStdString(logPath.string()));
    EXPECT_TRUE(tab->populate() == false) << "no record yet";
    EXPECT_FALSE(tab->isBusy()) << "no read before a record is shown";

    QSignalSpy loaded(tab.get(), &VRDSettingForFlashDataViewController::flashDataLoaded);
    tab->setFileData(&document_);
    ASSERT_TRUE(loaded.wait(5000));
    EXPECT_TRUE(tab->flashDataAccess());
    EXPECT_TRUE(tab->populate());
    EXPECT_TRUE(tab->validateUserInput().isNull());

    const VRDDriveInfoTableModel &model = tab->model();
    ASSERT_EQ(model.rowCount(), 3);
    ASSERT_EQ(model.columnCount(), 21);
    const QStringList expectedFirstRow{"1", "1", "2024/03/05", "14:07:09", "-", "3734.5678", "12700.0012", "F",
                                       "0.0", "0", "0", "EV", "OFF", "OFF", "OFF", "+1.50", "+0.00", "+0.00",
                                       "12.5", " 0.0", " 0.0"};
    for (int column = 0; column < 21; ++column)
        EXPECT_EQ(model.data(model.index(0, column)).toString(), expectedFirstRow[column]) << "column " << column;
    EXPECT_EQ(model.data(model.index(2, 0)).toString(), "3") << "row number from 1";
    EXPECT_EQ(model.data(model.index(0, 3), Qt::TextAlignmentRole).value<Qt::Alignment>(),
              Qt::AlignRight | Qt::AlignVCenter);
    EXPECT_FALSE(model.flags(model.index(0, 3)) & Qt::ItemIsEditable);
    EXPECT_EQ(model.headerData(2, Qt::Horizontal).toString(), TKLocalizedString("setting.flashdata.date"));
    EXPECT_EQ(model.headerData(15, Qt::Horizontal).toString(), "X");
    EXPECT_EQ(model.headerData(0, Qt::Horizontal, Qt::TextAlignmentRole).value<Qt::Alignment>(), Qt::AlignCenter);
    EXPECT_GE(tab->ui().tableView->horizontalHeader()->sectionSize(2), 86);

    writeLog(logPath, {});
    tab->setFileData(&document_);
    EXPECT_FALSE(tab->isBusy()) << "only the first display reads by itself";
    EXPECT_EQ(model.rowCount(), 3);
}

TEST_F(FlashDataViewTest, DoubleClickShowsThePositionBesideTheSettingsWindow)
{
    const auto tab = loadedTab();
    const QRect frame = tab->window()->frameGeometry();
    const QString move = QString("move %1,%2 %3x%4").arg(frame.x()).arg(frame.y()).arg(frame.width()).arg(frame.height());

    tab->doubleClickTableRow(tab->model().index(0, 4));
    EXPECT_EQ(mapCalls, (QStringList{"create", "show", move, "map 37.57613 127.00002"}));

    mapCalls.clear();
    tab->doubleClickTableRow(tab->model().index(2, 0));
    tab->doubleClickTableRow(QModelIndex());
    EXPECT_EQ(mapCalls, (QStringList{"show", "map 35.00946 129.00002"})) << "the window is reused";

    mapCalls.clear();
    tab->doubleClickTableRow(tab->model().index(1, 0));
    EXPECT_EQ(mapCalls, QStringList{"show"}) << "a position at 0 is not shown";

    tab->onHide();
    EXPECT_EQ(tab->mapWindowController(), nullptr);
    EXPECT_EQ(mapCalls.last(), "release");
}

TEST_F(FlashDataViewTest, ExportWritesTheWholeTableAndSaysSo)
{
    const auto tab = loadedTab();
    tab->doubleClickTableRow(tab->model().index(0, 0));
    savePath = QString::fromStdString((folder / "export").string());
    QSignalSpy written(tab.get(), &VRDSettingForFlashDataViewController::csvFileWritten);

    tab->ui().exportButton->click();
    EXPECT_EQ(mapCalls.last(), "release") << "the map window goes at an export";
    ASSERT_TRUE(written.wait(5000));
    EXPECT_TRUE(proposals.front().endsWith("tovik_000.csv"));
    EXPECT_EQ(written.front().at(0).toString().toStdString(), (folder / "export.csv").string());

    const QStringList lines = QString::fromStdString(readFile(folder / "export.csv")).split('\n');
    ASSERT_EQ(lines.size(), 5) << "title line, three records, empty rest after the last line end";
    EXPECT_EQ(lines[0], tab->columnNames().join(','));
    for (int line = 1; line <= 3; ++line)
        EXPECT_EQ(lines[line].split(',').size(), 21) << "line " << line;
    EXPECT_TRUE(lines[1].startsWith("1,1,2024/03/05,14:07:09,-,3734.5678,12700.0012,F,"));
    EXPECT_TRUE(lines[4].isEmpty());

    EXPECT_TRUE(QTest::qWaitFor([&] { return visibleAlert(tab.get()) != nullptr; }, 2000));
    QMessageBox *alert = visibleAlert(tab.get());
    EXPECT_EQ(alert->windowTitle(), "TOVIK");
    EXPECT_EQ(alert->informativeText(), TKLocalizedString("msg.saved"));
    alert->accept();

    savePath = QString::fromStdString((folder / "no such folder" / "export.csv").string());
    tab->ui().exportButton->click();
    ASSERT_TRUE(written.wait(5000));
    EXPECT_FALSE(written.last().at(1).toBool());
    EXPECT_TRUE(QTest::qWaitFor([&] { return visibleAlert(tab.get()) != nullptr; }, 2000));
    EXPECT_EQ(visibleAlert(tab.get())->windowTitle(), "Warn") << "a failed export is not reported as saved";
}

TEST_F(FlashDataViewTest, OpenReplacesTheTableOnlyWithALogThatCouldBeRead)
{
    const auto tab = loadedTab();
    QSignalSpy loaded(tab.get(), &VRDSettingForFlashDataViewController::flashDataLoaded);

    openPath = QString::fromStdString((folder / "missing.drv").string());
    tab->ui().openButton->click();
    ASSERT_TRUE(loaded.wait(5000));
    EXPECT_EQ(tab->model().rowCount(), 3) << "the table keeps what it showed";
    QMessageBox *alert = visibleAlert(tab.get());
    ASSERT_NE(alert, nullptr);
    EXPECT_TRUE(alert->informativeText().startsWith(TKLocalizedString("msg.file_open_fail")));
    alert->accept();

    // A header that claims more records than the file holds shows the whole ones.
    std::vector<std::uint8_t> bytes = VRDDriveInfoLog::toBytes({record(9, 3734, 12700), record(10, 3734, 12700)});
    bytes[0] = 200;
    bytes.resize(bytes.size() - 10);
    openPath = QString::fromStdString((folder / "short.drv").string());
    std::ofstream(folder / "short.drv", std::ios::binary)
        .write(reinterpret_cast<const char *>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    tab->ui().openButton->click();
    ASSERT_TRUE(loaded.wait(5000));
    ASSERT_EQ(tab->model().rowCount(), 1);
    EXPECT_EQ(tab->model().data(tab->model().index(0, 1)).toString(), "9");

    writeLog(folder / "empty.drv", {});
    openPath = QString::fromStdString((folder / "empty.drv").string());
    tab->ui().openButton->click();
    ASSERT_TRUE(loaded.wait(5000));
    EXPECT_EQ(tab->model().rowCount(), 0);
    proposals.clear();
    tab->ui().exportButton->click();
    EXPECT_TRUE(proposals.isEmpty()) << "nothing to export";
}

} // namespace
