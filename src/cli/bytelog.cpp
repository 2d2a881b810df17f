#include "cli/bytelog.h"

#include "cli/cli.h"
#include "cli/commands.h"
#include "cli/files.h"

#include <QDateTime>

void ByteLog::Record(const QString &port, bool sent, int value)
{
    if (!m_recording) return;
    const QString line = QDateTime::currentDateTimeUtc().toString(Qt::ISODateWithMs) + QLatin1Char(' ') + port +
                         (sent ? QStringLiteral(" > ") : QStringLiteral(" < ")) + QString::number(value) + QLatin1Char('\n');
    m_text += line.toUtf8();
}

int RunWithByteLog(Cli &cli, const Command &command)
{
    const QString fileName = cli.Options().log;
    QString error;
    if (fileName.isEmpty()) return command.run(cli);
    if (!CliFiles::Writable(fileName, &error)) return cli.Fail(Exit::File, fileName, error);
    const int status = command.run(cli);
    if (CliFiles::WriteAtomically(fileName, cli.Log().Text(), &error)) return status;
    cli.Fail(Exit::File, fileName, error);
    // A failure beats a difference.
    return status == Exit::Ok || status == Exit::Difference ? Exit::File : status;
}
