#include "files/portdialog.h"

#include "link/serialdevicemap.h"

#include <QComboBox>
#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>
#include <QSerialPortInfo>

namespace {
constexpr int DialogWidth = 165;
constexpr int DialogHeight = 80;
constexpr int BoxMargin = 16;
const QString PortPrefix = QStringLiteral("COM");
const QString ItemGap = QStringLiteral("   ");
}  // namespace

TSettingsDialog::TSettingsDialog(int currentPort, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::MSWindowsFixedSizeDialogHint)
{
    setObjectName(QStringLiteral("SettingsDialog"));
    setWindowTitle(QStringLiteral("COM Port Setting"));

    ComPortBox = new QComboBox(this);
    ComPortBox->setObjectName(QStringLiteral("ComPortBox"));
    ComPortBox->setEditable(false);
    OKButton = new QPushButton(QStringLiteral("OK"), this);
    OKButton->setObjectName(QStringLiteral("OKButton"));
    OKButton->resize(75, 25);
    OKButton->setDefault(true);
    connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);

    // Each port's COM name first, then the device and what the system calls it, so a technician
    // can tell the adapter in hand from the others. The dialog widens to the longest line.
    m_ports = ListedPorts(BuildPortTable(SerialDeviceMap::PortNames()));
    const QList<QSerialPortInfo> available = QSerialPortInfo::availablePorts();
    for (int port : m_ports)
        ComPortBox->addItem(PortPrefix + QString::number(port) + ItemGap + SerialDeviceMap::PortDetails(port, available));
    ComPortBox->setCurrentIndex(PreselectIndex(m_ports, currentPort));
    const int width = qMax(DialogWidth, ComPortBox->sizeHint().width() + 2 * BoxMargin);
    setFixedSize(width, DialogHeight);
    ComPortBox->setGeometry(BoxMargin, 12, width - 2 * BoxMargin, 21);
    OKButton->move((width - OKButton->width()) / 2, 44);

    if (QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
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

int TSettingsDialog::SelectedPort() const
{
    const int index = ComPortBox->currentIndex();
    return index >= 0 && index < m_ports.size() ? m_ports[index] : 0;
}
