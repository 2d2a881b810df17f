#include "report/reportwriter.h"

#include "files/model/reportlines.h"
#include "report/lineprinter.h"
#include "report/reportfont.h"

#include <QDir>
#include <QPdfWriter>
#include <QSaveFile>

QString WriteReport(QPagedPaintDevice &device, const QStringList &lines)
{
    LinePrinter printer(device);
    if (!printer.Open(InstalledReportFont())) return QStringLiteral("The printer could not be opened");
    for (const QString &line : lines)
        if (!printer.WriteLine(line)) return QStringLiteral("The printer could not start a new page");
    if (!printer.Close()) return QStringLiteral("The printer could not finish the report");
    return {};
}

QString WriteReportPdf(const QString &path, const QStringList &lines)
{
    // Written through a save file: the PDF replaces `path` only once it is complete.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(path), file.errorString());
    QString error;
    {
        QPdfWriter writer(&file);
        writer.setTitle(ReportJobTitle);
        writer.setCreator(ReportJobTitle);
        error = WriteReport(writer, lines);
    }
    if (!error.isEmpty()) {
        file.cancelWriting();
        return QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(path), error);
    }
    if (!file.commit()) return QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(path), file.errorString());
    return {};
}

QString WriteReportText(const QString &path, const QStringList &lines)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text))
        return QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(path), file.errorString());
    for (const QString &line : lines) file.write(line.toUtf8() + '\n');
    if (!file.commit()) return QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(path), file.errorString());
    return {};
}
