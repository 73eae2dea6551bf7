// The drives panel filling from a card of data-only one-minute recordings
// (tovik-demo-card --no-video --front-only --count N --duration 60): how
// long until the first drives show, until all are read, how many partial
// groupings the panel showed, and the longest the main thread was kept from
// its event loop meanwhile (a 10 ms timer's largest gap), with an empty and
// with a warm disk cache.
//
//   trips_fill_bench [--count N] [--card FOLDER]
// --card reads an existing card instead of writing one (a 15000-recording
// card takes a while to write).
#include "DataOnlyCard.h"
#include "viewer/VRDTripsController.h"
#include "viewer/VRDTripsIndexer.h"
#include "viewer/VRDTripsView.h"
#include "widgets/TKLocalization.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace {

struct Fill {
    double firstDrivesSeconds = -1;
    double finishedSeconds = -1;
    int partialUpdates = 0;
    double longestStallMs = 0;
    std::size_t drives = 0;
};

Fill fill(const QString &card)
{
    VRDTripsView view;
    view.resize(360, 600);
    view.show();
    VRDTripsController controller(view, nullptr);
    Fill result;
    QElapsedTimer clock;
    QEventLoop loop;
    QObject::connect(&controller.indexer(), &VRDTripsIndexer::partialTripsReady, [&] {
        ++result.partialUpdates;
        if (result.firstDrivesSeconds < 0 && !view.trips().empty())
            result.firstDrivesSeconds = clock.nsecsElapsed() / 1e9;
    });
    QObject::connect(&controller.indexer(), &VRDTripsIndexer::tripsReady, [&] {
        result.finishedSeconds = clock.nsecsElapsed() / 1e9;
        if (result.firstDrivesSeconds < 0)
            result.firstDrivesSeconds = result.finishedSeconds;
        result.drives = view.trips().size();
        loop.quit();
    });
    QTimer tick;
    tick.setInterval(10);
    QElapsedTimer sinceTick;
    QObject::connect(&tick, &QTimer::timeout, [&] {
        result.longestStallMs = std::max(result.longestStallMs, sinceTick.nsecsElapsed() / 1e6 - 10.0);
        sinceTick.restart();
        // Painting is part of what the main thread does while the panel fills.
        view.repaint();
    });
    clock.start();
    sinceTick.start();
    tick.start();
    controller.openFolder(card);
    QTimer::singleShot(600000, &loop, &QEventLoop::quit);
    loop.exec();
    return result;
}

void print(const char *what, const Fill &f)
{
    std::printf("%-18s first drives %6.3f s, all read %7.3f s, %3d partial updates, longest main-thread stall %6.1f ms, %zu spans\n",
                what, f.firstDrivesSeconds, f.finishedSeconds, f.partialUpdates, f.longestStallMs, f.drives);
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    int count = 1000;
    std::string card;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string option = argv[i];
        if (option == "--count")
            count = std::atoi(argv[i + 1]);
        else if (option == "--card")
            card = argv[i + 1];
    }
    char pattern[] = "/tmp/tovik-fill-bench-XXXXXX";
    if (::mkdtemp(pattern) == nullptr) {
        std::perror("mkdtemp");
        return 1;
    }
    const std::filesystem::path scratch = pattern;
    // The disk cache of this run only, empty at first.
    ::setenv("XDG_CACHE_HOME", (scratch / "cache").c_str(), 1);
    if (card.empty()) {
        card = (scratch / "card").string();
        if (!makeDataOnlyCard(card, count)) {
            std::fprintf(stderr, "tovik-demo-card failed\n");
            return 1;
        }
    }
    QApplication app(argc, argv);
    if (!TKLocalization::install(app))
        std::fprintf(stderr, "no string table: the panel shows its keys\n");
    std::printf("card: %s\n", card.c_str());
    print("empty disk cache:", fill(QString::fromStdString(card)));
    print("warm disk cache:", fill(QString::fromStdString(card)));
    std::error_code error;
    std::filesystem::remove_all(scratch, error);
    return 0;
}
