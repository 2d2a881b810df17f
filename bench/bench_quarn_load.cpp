// bench_quarn_load: how long ImageToControls takes on the Quarn page, for an image that moves
// every control (alternating between two images) and for a reload of the same image.
#include "core/calimage.h"
#include "ui/appstyle.h"
#include "ui/quarnform.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QRandomGenerator>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {
constexpr int Rounds = 200;
constexpr double BudgetMs = 5.0;

struct Figures {
    double meanMs, medianMs, maxMs;
};

template <class Prepare>
Figures Measure(TQuarnForm &form, Prepare prepare)
{
    std::vector<double> times;
    for (int i = 0; i < Rounds; ++i) {
        prepare(i);
        QElapsedTimer timer;
        timer.start();
        form.ImageToControls(false);
        times.push_back(double(timer.nsecsElapsed()) / 1e6);
        QApplication::processEvents();
    }
    double sum = 0;
    for (double t : times) sum += t;
    std::sort(times.begin(), times.end());
    return {sum / times.size(), times[times.size() / 2], times.back()};
}
}  // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    InstallApplicationStyle();
    StartOptions options;
    options.showSplash = false;
    TQuarnForm form(options);
    form.show();
    ProductCode = Product::Quarn;
    form.ImageToControls(true);

    CalImageBytes images[2];
    QRandomGenerator random(1234);
    for (CalImageBytes &image : images)
        for (uint8_t &b : image) b = uint8_t(random.bounded(256));
    // One load of each first: the first showing of new texts warms the font caches.
    for (const CalImageBytes &image : images) {
        CalImage = image;
        form.ImageToControls(false);
    }
    const Figures changing = Measure(form, [&](int i) { CalImage = images[i % 2]; });
    const Figures same = Measure(form, [](int) {});

    std::printf("Quarn page ImageToControls, %d loads each:\n", Rounds);
    for (auto [name, f] : {std::pair{"image changing every load", changing}, std::pair{"same image again", same}})
        std::printf("  %-26s mean %.3f ms, median %.3f ms, max %.3f ms\n", name, f.meanMs, f.medianMs, f.maxMs);
    const bool ok = changing.meanMs < BudgetMs && same.meanMs < BudgetMs;
    std::printf("  budget %.1f ms: %s\n", BudgetMs, ok ? "met" : "NOT met");
    return ok ? 0 : 1;
}
