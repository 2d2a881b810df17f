#pragma once
// The shop's server as the window shows it: how many kept entries wait to reach it, and
// "Shop Server...", where the technician names the shop's repository. Only the address is kept;
// SSH keys come from the agent or the user's SSH folder and an HTTPS token from the environment,
// so no password is ever asked for or stored.
#include "history/historystore.h"

#include <QDialog>

class QLabel;
class QLineEdit;

// "3 entries not yet on the shop server", "All entries are on the shop server", or that no server
// is set.
QString ServerStateText(const HistoryStore &store);
// The same in a few words for the status strip; empty when nothing waits or no server is set.
QString ServerWaitingText(const HistoryStore &store);

class ShopServerDialog : public QDialog {
    Q_OBJECT
public:
    explicit ShopServerDialog(HistoryStore &store, QWidget *parent = nullptr);
    void accept() override;

private:
    HistoryStore &m_store;
    QLineEdit *RemoteEdit = nullptr;
    QLabel *ServerLabel = nullptr;
};
