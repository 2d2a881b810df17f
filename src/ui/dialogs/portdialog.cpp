#include "ui/dialogs/portdialog.h"

#include "ui/errorbox.h"
#include "ui/dialogs/networkportdialog.h"
#include "link/serialdevicemap.h"

#include <QComboBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QSerialPortInfo>

#include <algorithm>

namespace {
constexpr int DialogWidth = 165;
constexpr int DialogHeight = 80;
constexpr int BoxMargin = 16;
constexpr int ButtonWidth = 75;
constexpr int ButtonHeight = 25;
constexpr int ButtonGap = 8;
const QString PortPrefix = QStringLiteral("COM");
const QString ItemGap = QStringLiteral("   ");
}  // namespace

TSettingsDialog::TSettingsDialog(int currentPort, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::MSWindowsFixedSizeDialogHint),
      m_currentPort(currentPort)
{
    setObjectName(QStringLiteral("SettingsDialog"));
    setWindowTitle(QStringLiteral("COM Port Setting"));

    ComPortBox = new QComboBox(this);
    ComPortBox->setObjectName(QStringLiteral("ComPortBox"));
    // A number nobody lists can be typed; what is typed never joins the list.
    ComPortBox->setEditable(true);
    ComPortBox->setInsertPolicy(QComboBox::NoInsert);
    OKButton = new QPushButton(QStringLiteral("OK"), this);
    OKButton->setObjectName(QStringLiteral("OKButton"));
    OKButton->resize(ButtonWidth, ButtonHeight);
    OKButton->setDefault(true);
    connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);
    NetworkButton = new QPushButton(QStringLiteral("Network..."), this);
    NetworkButton->setObjectName(QStringLiteral("NetworkButton"));
    NetworkButton->setAutoDefault(false);
    NetworkButton->resize(ButtonWidth, ButtonHeight);
    connect(NetworkButton, &QPushButton::clicked, this, &TSettingsDialog::AddNetworkPort);
    connect(ComPortBox, &QComboBox::editTextChanged, this, &TSettingsDialog::UpdateOk);
    FillList(currentPort);

    if (QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

void TSettingsDialog::FillList(int selectPort)
{
    // Each port's COM name first, then the device and what the system calls it, so a technician
    // can tell the adapter in hand from the others. The dialog widens to the longest line.
    ComPortBox->clear();
    m_ports = ListedPorts(BuildPortTable(SerialDeviceMap::PortNames()));
    const QList<QSerialPortInfo> available = QSerialPortInfo::availablePorts();
    for (int port : m_ports)
        ComPortBox->addItem(PortPrefix + QString::number(port) + ItemGap + SerialDeviceMap::PortDetails(port, available));
    ComPortBox->setCurrentIndex(PreselectIndex(m_ports, selectPort));
    const int buttons = 2 * ButtonWidth + ButtonGap;
    const int width = std::max({DialogWidth, ComPortBox->sizeHint().width() + 2 * BoxMargin, buttons + 2 * BoxMargin});
    setFixedSize(width, DialogHeight);
    ComPortBox->setGeometry(BoxMargin, 12, width - 2 * BoxMargin, 21);
    OKButton->move((width - buttons) / 2, 44);
    NetworkButton->move(OKButton->x() + ButtonWidth + ButtonGap, 44);
    UpdateOk();
}

// Nothing to take while the typed text names no port (an empty list with nothing typed still
// closes, choosing port 0).
void TSettingsDialog::UpdateOk() { OKButton->setEnabled(ShownPort() > 0 || ComPortBox->currentText().isEmpty()); }

void TSettingsDialog::AddNetworkPort()
{
    NetworkPortDialog dialog(this);
    if (dialog.exec() != QDialog::Accepted) return;
    const NetworkPortDialog::Address address = dialog.Entered();
    NetworkPortDialog::Remember(address);
    const int port = NetworkPortDialog::MapDevice(NetworkPortDialog::DeviceName(address));
    if (port == 0) {
        ShowErrorBox(this, QStringLiteral("No COM number is free for %1").arg(NetworkPortDialog::DeviceName(address)));
        return;
    }
    FillList(port);
}

int TSettingsDialog::ChoosePort(QWidget *parent, int currentPort)
{
    TSettingsDialog dialog(currentPort, parent);
    dialog.exec();
    return dialog.SelectedPort();
}

TSettingsDialog::PortTable TSettingsDialog::BuildPortTable(const QStringList &portNames)
{
    PortTable table{};
    for (const QString &name : portNames) {
        if (!name.startsWith(PortPrefix)) continue;
        const int number = name.mid(PortPrefix.size()).toInt();  // not a number: 0
        if (number >= 0 && number < int(table.size())) table[number] = true;
    }
    return table;
}

QList<int> TSettingsDialog::ListedPorts(const PortTable &table)
{
    QList<int> ports;
    for (int n = 1; n < int(table.size()); ++n)
        if (table[n]) ports << n;
    return ports;
}

int TSettingsDialog::PreselectIndex(const QList<int> &ports, int currentPort)
{
    int notAbove = 0;
    for (int port : ports)
        if (port <= currentPort) ++notAbove;
    if (ports.isEmpty()) return -1;
    return notAbove > 0 ? notAbove - 1 : 0;
}

int TSettingsDialog::TypedPort(const QString &text)
{
    static const QRegularExpression name(QStringLiteral("^\\s*(?:COM)?([0-9]{1,3})\\s*$"),
                                         QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = name.match(text);
    const int number = match.hasMatch() ? match.captured(1).toInt() : 0;
    return number < int(PortTable().size()) ? number : 0;
}

int TSettingsDialog::ShownPort() const
{
    const int index = ComPortBox->currentIndex();
    const QString text = ComPortBox->currentText();
    if (index >= 0 && index < m_ports.size() && text == ComPortBox->itemText(index)) return m_ports[index];
    return TypedPort(text);
}

int TSettingsDialog::SelectedPort() const
{
    if (const int port = ShownPort()) return port;
    return ComPortBox->currentText().isEmpty() ? 0 : m_currentPort;
}
