// bench_history: the controller history at its bound. How long keeping one image takes once the
// folder holds 1000 (the window does it after each transfer), how long listing takes, and how long
// "History..." takes from the click until the dialog with every entry is on the screen.
// Runs in a temporary data folder.
#include "editor/appstyle.h"
#include "files/historydialog.h"
#include "history/historystore.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {
constexpr int Rounds = 20;
constexpr int Filled = 1000;
constexpr double DialogBudgetMs = 200.0;

struct Figures {
    double medianMs, maxMs;
};

template <class Run>
Figures Measure(Run run)
{
    std::vector<double> times;
    for (int i = 0; i < Rounds; ++i) {
        QElapsedTimer timer;
        timer.start();
        run();
        times.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(times.begin(), times.end());
    return {times[times.size() / 2], times.back()};
}

void Print(const char *what, const Figures &f)
{
    std::printf("%-44s median %7.2f ms   max %7.2f ms\n", what, f.medianMs, f.maxMs);
}
}  // namespace

int main(int argc, char *argv[])
{
    QTemporaryDir data;
    qputenv("XDG_DATA_HOME", data.path().toLocal8Bit());
    QApplication app(argc, argv);
    InstallApplicationStyle();

    HistoryStore store;
    CalImageBytes image{};
    QElapsedTimer fill;
    fill.start();
    for (int i = 0; i < Filled; ++i) {
        image.fill(uint8_t(i));
        if (!store.KeepImage(i % 2 ? HistoryKind::Upload : HistoryKind::Download, QStringLiteral("COM7"), 'j',
                             QStringLiteral("QUARN 2 v1.1 Connected and Listening"), image, QString())) {
            std::fprintf(stderr, "cannot keep history in %s\n", qPrintable(store.Folder()));
            return 1;
        }
    }
    std::printf("filling %d images: %.0f ms\n", Filled, double(fill.elapsed()));

    Print("keep one image into a full history", Measure([&] {
              store.KeepImage(HistoryKind::Download, QStringLiteral("COM7"), 'j', QStringLiteral("QUARN 2 v1.1 Connected and Listening"), image, QString());
          }));
    Print("list 1000 entries", Measure([&] { (void)store.Entries(); }));
    const Figures dialog = Measure([&] {
        HistoryDialog d(store);
        d.show();
        QApplication::processEvents();
    });
    Print("open History with 1000 entries (shown)", dialog);
    std::printf("budget for opening History: %.0f ms: %s\n", DialogBudgetMs,
                dialog.maxMs < DialogBudgetMs ? "met" : "MISSED");
    return 0;
}
