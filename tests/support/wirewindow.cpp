#include "support/wirewindow.h"

#include "core/settings.h"
#include "core/ticks.h"
#include "ui/quarnform.h"
#include "link/comthread.h"
#include "link/linkprotocol.h"

#include <QStackedWidget>
#include <QStringList>
#include <QTabWidget>

namespace {
// A COM number no device answers to: the window of ShownImage finds no port and stays offline.
constexpr int NoControllerCom = 250;
// Enough reloads for every page to settle (the frequency bars settle within a few).
constexpr int SettleReloads = 10;
}  // namespace

QString ImageDifferences(const CalImageBytes &a, const CalImageBytes &b)
{
    QStringList out;
    for (int i = 0; i < CalImageSize; ++i)
        if (a[i] != b[i]) out << QStringLiteral("%1: %2/%3").arg(i).arg(a[i]).arg(b[i]);
    return out.join(QStringLiteral(", "));
}

SimOptions ControllerOf(char product)
{
    SimOptions options = QuickStart();
    options.product = product;
    return options;
}

CalImageBytes ShownImage(uint8_t product, const CalImageBytes &raw)
{
    const int storedPort = ReadComPortSetting();
    WriteComPortSetting(NoControllerCom);
    CalImageBytes shown;
    {
        auto form = makeMainWindow();
        ProductCode = product;
        CalImage = raw;
        form->ImageToControls(true);  // a new image: shown through the page's rules
        for (int i = 0; i < SettleReloads; ++i) {
            const CalImageBytes before = CalImage;
            form->ImageToControls(false);
            if (CalImage == before) break;
        }
        shown = CalImage;
    }
    WriteComPortSetting(storedPort);
    ProductCode = Product::None;
    return shown;
}

std::unique_ptr<TQuarnForm> ConnectedWindow(SimOnCom &sim, ModalAnswerer &boxes)
{
    WriteComPortSetting(sim.com());
    auto form = makeMainWindow();
    if (!WaitForBoxes(boxes, QStringLiteral("Download Successful!"), 1)) return nullptr;
    return form;
}

bool WaitForBoxes(const ModalAnswerer &boxes, const QString &text, int count, int timeoutMs)
{
    return waitUntil([&] { return boxes.texts().count(text) >= count; }, timeoutMs);
}

bool WaitReadyForRequest(SimOnCom &sim, TQuarnForm &form, int timeoutMs)
{
    // The keep-alive follows 2000 ms after the link timer's last reset. Once the emulator has read
    // the acknowledgement that connected the worker, nothing of the worker's is in flight (a
    // quiet line alone does not say so: a busy emulator may not yet have read the 'E'), and the
    // next keep-alive is more than a second away while that 'E' is recent.
    constexpr uint32_t QuietMs = 100;
    constexpr uint32_t RecentMs = 1000;
    return waitUntil(
        [&] {
            if (!form.comThread() || form.comThread()->LockedState() != LinkState::Connected) return false;
            const std::vector<WireByte> wire = sim.toolWire();
            if (wire.empty() || wire.back().byte != Wire::Acknowledge) return false;
            const uint32_t age = TicksSince(wire.back().tick);
            return age >= QuietMs && age < RecentMs && form.comThread()->LockedState() == LinkState::Connected;
        },
        timeoutMs);
}

void BringToFront(QWidget *control)
{
    // A tab's page sits in the tab widget's own page stack.
    for (QWidget *w = control; w && w->parentWidget(); w = w->parentWidget()) {
        auto *stack = qobject_cast<QStackedWidget *>(w->parentWidget());
        auto *tabs = stack ? qobject_cast<QTabWidget *>(stack->parentWidget()) : nullptr;
        if (tabs) tabs->setCurrentWidget(w);
    }
}

bool ReadLivePairs(const std::vector<WireByte> &toolBytes, int code, std::vector<LivePair> &pairs)
{
    pairs.clear();
    if (toolBytes.size() % 2 != 0) return false;
    for (size_t i = 0; i < toolBytes.size(); i += 2) {
        if (toolBytes[i].byte != code) return false;
        pairs.push_back({toolBytes[i + 1].tick, toolBytes[i].byte, toolBytes[i + 1].byte});
    }
    return true;
}
