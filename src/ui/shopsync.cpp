#include "ui/shopsync.h"

#include "core/ticks.h"
#include "history/historystore.h"

#include <QThread>

namespace {
// How often a running sync is looked at, and how long a close sleeps between looks.
constexpr int WatchMs = 250;
constexpr int CloseLookMs = 20;
}  // namespace

ShopSync::ShopSync(QString folder, QObject *parent) : QObject(parent), m_folder(std::move(folder))
{
    // Named children, so that whoever holds the window can find the timer that brings the syncs.
    m_every.setParent(this);
    m_every.setObjectName(QString::fromLatin1(EveryName));
    m_every.setInterval(IntervalMs);
    connect(&m_every, &QTimer::timeout, this, &ShopSync::Request);
    m_every.start();
    m_watch.setInterval(WatchMs);
    connect(&m_watch, &QTimer::timeout, this, &ShopSync::Watch);
}

void ShopSync::Request()
{
    if (HistoryStore::SyncGoingOn()) {
        m_again = true;
        m_watch.start();
        return;
    }
    m_again = false;
    // A history kept on this PC only has nothing to share.
    if (HistoryStore(m_folder).Remote().isEmpty()) return;
    // Started and left to run: its outcome shows in the count of entries not yet on the server.
    HistoryStore::SyncWithin(m_folder, 0);
    m_watch.start();
}

void ShopSync::Watch()
{
    if (HistoryStore::SyncGoingOn()) return;
    m_watch.stop();
    emit Ended();
    if (m_again) Request();
}

void ShopSync::HoldForClose()
{
    m_every.stop();
    m_watch.stop();
    const uint32_t start = TickCount();
    while (HistoryStore::SyncGoingOn() && TicksSince(start) < uint32_t(CloseHoldMs)) QThread::msleep(CloseLookMs);
}
