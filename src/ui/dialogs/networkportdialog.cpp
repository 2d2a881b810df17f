#include "ui/dialogs/networkportdialog.h"

#include "core/settings.h"
#include "ui/dialogs/portdialog.h"
#include "link/networkport.h"
#include "link/serialdevicemap.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>

namespace {
// Where the last address lives in the settings, and each kind's scheme and caption.
const QString HostKey = QStringLiteral("NetworkPort/Host");
const QString PortKey = QStringLiteral("NetworkPort/Port");
const QString KindKey = QStringLiteral("NetworkPort/Kind");
struct KindName {
    NetworkPortDialog::Kind kind;
    const char *scheme;
    const char *caption;
};
constexpr KindName Kinds[] = {
    {NetworkPortDialog::Kind::Raw, "tcp", "Raw TCP"},
    {NetworkPortDialog::Kind::Telnet, "rfc2217", "RFC 2217 (Telnet)"},
};
constexpr int HighestTcpPort = 65535;
// ser2net's customary first port.
constexpr int DefaultTcpPort = 2001;
constexpr int HighestComNumber = 255;

// The COM names the serial device map has entries for.
QStringList MappedNames()
{
    const std::unique_ptr<QSettings> settings = OpenSettings(QString::fromLatin1(SettingsSection));
    settings->beginGroup(QString::fromLatin1(SerialDeviceMap::Group));
    return settings->childKeys();
}

const KindName &NameOf(NetworkPortDialog::Kind kind)
{
    for (const KindName &name : Kinds)
        if (name.kind == kind) return name;
    return Kinds[0];
}
}  // namespace

NetworkPortDialog::NetworkPortDialog(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("NetworkPortDialog"));
    setWindowTitle(QStringLiteral("Network Port"));
    m_host = new QLineEdit(this);
    m_host->setObjectName(QStringLiteral("NetworkHost"));
    m_host->setPlaceholderText(QStringLiteral("truck7 or 192.168.1.20"));
    m_port = new QSpinBox(this);
    m_port->setObjectName(QStringLiteral("NetworkPortNumber"));
    m_port->setRange(1, HighestTcpPort);
    m_kind = new QComboBox(this);
    m_kind->setObjectName(QStringLiteral("NetworkKind"));
    for (const KindName &name : Kinds) m_kind->addItem(QString::fromLatin1(name.caption));

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    m_ok = buttons->button(QDialogButtonBox::Ok);
    m_ok->setObjectName(QStringLiteral("NetworkOk"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_host, &QLineEdit::textChanged, this, &NetworkPortDialog::UpdateOk);

    auto *form = new QFormLayout(this);
    form->addRow(QStringLiteral("Host:"), m_host);
    form->addRow(QStringLiteral("TCP port:"), m_port);
    form->addRow(QStringLiteral("Kind:"), m_kind);
    form->addRow(buttons);

    const Address last = Remembered();
    m_host->setText(last.host);
    m_port->setValue(last.port);
    m_kind->setCurrentIndex(last.kind == Kind::Telnet ? 1 : 0);
    UpdateOk();
}

void NetworkPortDialog::UpdateOk() { m_ok->setEnabled(ValidHost(m_host->text().trimmed())); }

NetworkPortDialog::Address NetworkPortDialog::Entered() const
{
    return {m_host->text().trimmed(), m_port->value(), Kinds[qBound(0, m_kind->currentIndex(), 1)].kind};
}

QString NetworkPortDialog::DeviceName(const Address &address)
{
    return QStringLiteral("%1://%2:%3").arg(QString::fromLatin1(NameOf(address.kind).scheme), address.host).arg(address.port);
}

bool NetworkPortDialog::ValidHost(const QString &host)
{
    // Valid where the link takes it: in a device name of its own.
    return ParseNetworkPort(DeviceName({host, DefaultTcpPort, Kind::Raw})).has_value();
}

NetworkPortDialog::Address NetworkPortDialog::Remembered()
{
    const std::unique_ptr<QSettings> settings = OpenSettings(QString::fromLatin1(SettingsSection));
    Address address;
    address.host = settings->value(HostKey).toString();
    address.port = qBound(1, settings->value(PortKey, DefaultTcpPort).toInt(), HighestTcpPort);
    const QString scheme = settings->value(KindKey).toString();
    for (const KindName &name : Kinds)
        if (scheme == QLatin1String(name.scheme)) address.kind = name.kind;
    return address;
}

void NetworkPortDialog::Remember(const Address &address)
{
    const std::unique_ptr<QSettings> settings = OpenSettings(QString::fromLatin1(SettingsSection));
    settings->setValue(HostKey, address.host);
    settings->setValue(PortKey, address.port);
    settings->setValue(KindKey, QString::fromLatin1(NameOf(address.kind).scheme));
}

int NetworkPortDialog::MapDevice(const QString &device)
{
    const TSettingsDialog::PortTable taken = TSettingsDialog::BuildPortTable(SerialDeviceMap::PortNames());
    for (int n = 1; n <= HighestComNumber; ++n)
        if (taken[n] && SerialDeviceMap::DeviceFor(n) == device) return n;
    // A number nobody has; failing that (a system that lists every COM number, as Wine does),
    // one the map does not use yet.
    const TSettingsDialog::PortTable mapped = TSettingsDialog::BuildPortTable(MappedNames());
    for (const TSettingsDialog::PortTable &used : {taken, mapped}) {
        for (int n = FirstNetworkPort; n <= HighestComNumber; ++n) {
            if (used[n]) continue;
            SerialDeviceMap::Register(n, device);
            return n;
        }
    }
    return 0;
}
