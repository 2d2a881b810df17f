#pragma once
// The window's side of sharing the history with the shop's server: a sync at start, after every
// commit and every few minutes, each running on its own so that nothing the technician does
// waits for the network. `Ended` tells when one has finished (the count of entries not yet on the
// server may have changed).
#include <QObject>
#include <QString>
#include <QTimer>

class ShopSync : public QObject {
    Q_OBJECT
public:
    // How often the history is fetched and merged while the window is open.
    static constexpr int IntervalMs = 5 * 60 * 1000;
    // How long closing the window waits for a sync still under way; the commits stay either way.
    static constexpr int CloseHoldMs = 3000;
    // The object name of the timer that brings a sync every IntervalMs.
    static constexpr const char *EveryName = "ShopSyncEvery";

    explicit ShopSync(QString folder, QObject *parent = nullptr);

    // Starts a sync now, or right after the one under way.
    void Request();
    // Waits, at most CloseHoldMs, for a sync under way to end.
    void HoldForClose();

signals:
    void Ended();

private:
    void Watch();

    const QString m_folder;
    QTimer m_every;
    QTimer m_watch;
    bool m_again = false;
};
