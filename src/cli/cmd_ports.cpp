// ports: the serial ports as the window's port dialog offers them, with the device and the
// system's description of each; with --probe, the controller that announces itself on each.
#include "cli/cli.h"
#include "cli/clilink.h"
#include "cli/commands.h"
#include "link/serialdevicemap.h"

#include <QDeadlineTimer>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSerialPortInfo>

#include <algorithm>
#include <memory>

namespace {

struct PortRow {
    PortChoice port;
    QString description;
    QString product;  // --probe: the letter announced, empty when none
    QString banner;
};

QString DescriptionOf(const QString &device)
{
    const QString canonical = QFileInfo(device).canonicalFilePath();
    for (const QSerialPortInfo &info : QSerialPortInfo::availablePorts())
        if (info.systemLocation() == device || (!canonical.isEmpty() && info.systemLocation() == canonical))
            return info.description();
    return {};
}

QList<PortRow> ListPorts()
{
    QList<int> numbers;
    for (const QString &name : SerialDeviceMap::PortNames()) {
        const int n = name.mid(3).toInt();
        if (n > 0 && !numbers.contains(n)) numbers << n;
    }
    std::sort(numbers.begin(), numbers.end());
    QList<PortRow> rows;
    for (const int n : numbers) {
        PortRow row;
        QString error;
        ChoosePort(QString::number(n), &row.port, &error);
        row.description = DescriptionOf(row.port.device);
        rows << row;
    }
    return rows;
}

// Opens every port at once and waits, --wait in all, for the controllers to announce themselves.
void Probe(Cli &cli, QList<PortRow> &rows)
{
    std::vector<std::unique_ptr<CliLink>> links;
    for (const PortRow &row : rows) {
        links.push_back(std::make_unique<CliLink>(cli, row.port));
        links.back()->Start();
    }
    const QDeadlineTimer deadline(cli.Options().waitMs);
    for (size_t i = 0; i < links.size(); ++i) {
        if (!links[i]->WaitConnected(int(std::max<qint64>(0, deadline.remainingTime())))) continue;
        rows[qsizetype(i)].product = QString(QChar(links[i]->ProductLetter()));
        rows[qsizetype(i)].banner = links[i]->Banner();
    }
}

}  // namespace

int RunPorts(Cli &cli)
{
    QList<PortRow> rows = ListPorts();
    if (cli.Options().probe) Probe(cli, rows);
    if (cli.Options().json) {
        QJsonArray array;
        for (const PortRow &row : rows) {
            QJsonObject object{{QStringLiteral("com"), row.port.com},
                               {QStringLiteral("device"), row.port.device},
                               {QStringLiteral("description"), row.description}};
            if (cli.Options().probe) {
                object.insert(QStringLiteral("product"), row.product);
                object.insert(QStringLiteral("banner"), row.banner);
            }
            array.append(object);
        }
        cli.Out(QString::fromUtf8(QJsonDocument(array).toJson(QJsonDocument::Indented)).trimmed());
        return Exit::Ok;
    }
    for (const PortRow &row : rows) {
        QString line = QStringLiteral("COM%1").arg(row.port.com, -6) + QStringLiteral("  %1").arg(row.port.device, -20);
        if (cli.Options().probe) line += QStringLiteral("  %1").arg(row.banner.isEmpty() ? QStringLiteral("-") : row.banner, -38);
        line += QStringLiteral("  ") + row.description;
        cli.Out(line.trimmed());
    }
    return Exit::Ok;
}
