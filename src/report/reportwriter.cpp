#include "report/reportwriter.h"

#include "core/wholefile.h"
#include "core/files/reportlines.h"
#include "report/lineprinter.h"
#include "report/reportfont.h"

#include <QDir>
#include <QPdfWriter>

namespace {
// "" for a success, else the reason after the file's name.
QString NamingTheFile(const QString &path, const QString &error)
{
    return error.isEmpty() ? error : QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(path), error);
}
}  // namespace

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
    // Written whole: the PDF replaces `path` only once it is complete.
    const QString error = WriteWholeFile(path, [&lines](QIODevice &file) {
        QPdfWriter writer(&file);
        writer.setTitle(ReportJobTitle);
        writer.setCreator(ReportJobTitle);
        return WriteReport(writer, lines);
    });
    return NamingTheFile(path, error);
}

QString WriteReportText(const QString &path, const QStringList &lines)
{
    const QString error = WriteWholeFile(path, [&lines](QIODevice &file) {
        file.setTextModeEnabled(true);  // line ends as the system writes them
        for (const QString &line : lines)
            if (file.write(line.toUtf8() + '\n') < 0) return file.errorString();
        return QString();
    });
    return NamingTheFile(path, error);
}
