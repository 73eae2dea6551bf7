// How the drive-information tab copes with a long log: reading 100 000
// records, and drawing one screen of the table anywhere in it. Cells are
// formatted only for the rows the view draws.
#include "devicedata/VRDDriveInfoLog.h"
#include "settings/VRDDriveInfoTableModel.h"
#include "settings/VRDSettingForFlashDataViewController.h"
#include "ui_VRDSettingForFlashDataViewController.h"

#include <QApplication>
#include <QTableView>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <fstream>
#include <memory>

namespace {

constexpr int kRecords = 100'000;

std::string writeLongLog(const QTemporaryDir &folder)
{
    std::vector<VRDDriveInfoRecord> records(kRecords);
    for (int i = 0; i < kRecords; ++i) {
        records[i].seq = static_cast<std::uint16_t>(i);
        records[i].latitudeWhole = 3734;
        records[i].latitudeFraction = static_cast<std::uint16_t>(i % 10000);
        records[i].longitudeWhole = 12700;
        records[i].drivingDistance = static_cast<std::uint32_t>(i);
    }
    const std::vector<std::uint8_t> bytes = VRDDriveInfoLog::toBytes(records);
    const std::string path = folder.filePath("tovik_000.drv").toStdString();
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char *>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return path;
}

const std::string &longLogPath()
{
    static const QTemporaryDir folder;
    static const std::string path = writeLongLog(folder);
    return path;
}

void BM_ReadLongLog(benchmark::State &state)
{
    for (auto _ : state) {
        VRDDriveInfoLog log;
        benchmark::DoNotOptimize(VRDDriveInfoLog::read(longLogPath(), log));
        benchmark::DoNotOptimize(log.count());
    }
}
BENCHMARK(BM_ReadLongLog)->Unit(benchmark::kMillisecond);

void BM_DrawScreenOfLongTable(benchmark::State &state)
{
    auto log = std::make_shared<VRDDriveInfoLog>();
    if (VRDDriveInfoLog::read(longLogPath(), *log)) {
        state.SkipWithError("the log could not be read");
        return;
    }
    VRDSettingForFlashDataViewController tab;
    tab.resize(900, 600);
    tab.model().setLog(log);
    QTableView *table = tab.ui().tableView;
    int row = 0;
    for (auto _ : state) {
        row = (row + 37'813) % kRecords;
        table->scrollTo(tab.model().index(row, 0), QAbstractItemView::PositionAtTop);
        benchmark::DoNotOptimize(tab.grab());
    }
}
BENCHMARK(BM_DrawScreenOfLongTable)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
