#include "ui/dialogs/shopserver.h"

#include "ui/errorbox.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace {
constexpr int DialogWidth = 460;
const char *const AddressHelp =
    "The shop's history repository: a folder or share (\\\\server\\quarn\\history.git), or an "
    "ssh://, git:// or https:// address. Leave it empty to keep the history on this PC only.\n"
    "No password is stored: SSH uses the agent or your SSH keys, HTTPS a token from the environment.";
}  // namespace

QString ServerStateText(const HistoryStore &store)
{
    if (store.Remote().isEmpty()) return QStringLiteral("No shop server set");
    const int waiting = store.NotOnServer();
    if (waiting == 0) return QStringLiteral("All entries are on the shop server");
    return waiting == 1 ? QStringLiteral("1 entry not yet on the shop server")
                        : QStringLiteral("%1 entries not yet on the shop server").arg(waiting);
}

QString ServerWaitingText(const HistoryStore &store)
{
    if (store.Remote().isEmpty()) return {};
    const int waiting = store.NotOnServer();
    return waiting > 0 ? QStringLiteral("%1 unsent").arg(waiting) : QString();
}

ShopServerDialog::ShopServerDialog(HistoryStore &store, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      m_store(store)
{
    setObjectName(QStringLiteral("ShopServerDialog"));
    setWindowTitle(QStringLiteral("Shop Server"));
    setMinimumWidth(DialogWidth);

    auto *help = new QLabel(QString::fromLatin1(AddressHelp), this);
    help->setWordWrap(true);
    RemoteEdit = new QLineEdit(store.Remote(), this);
    RemoteEdit->setObjectName(QStringLiteral("RemoteEdit"));
    ServerLabel = new QLabel(ServerStateText(store), this);
    ServerLabel->setObjectName(QStringLiteral("ServerLabel"));
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->setObjectName(QStringLiteral("ServerButtons"));
    connect(buttons, &QDialogButtonBox::accepted, this, &ShopServerDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(help);
    layout->addWidget(RemoteEdit);
    layout->addWidget(ServerLabel);
    layout->addWidget(buttons);
}

void ShopServerDialog::accept()
{
    const QString url = RemoteEdit->text().trimmed();
    if (url == m_store.Remote()) return QDialog::accept();
    QString error;
    if (!m_store.SetRemote(url, &error)) return ShowErrorBox(this, error);
    QDialog::accept();
}
