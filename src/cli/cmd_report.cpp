// report: the lines the window prints, from the image alone, to standard output (no -o, or -o -)
// or to a PDF or text file.
#include "cli/cli.h"
#include "cli/commands.h"
#include "cli/files.h"
#include "cli/imagesource.h"
#include "core/files/reportlines.h"
#include "report/reportwriter.h"

bool ReportWantsPdf(const QString &output) { return output.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive); }

int RunReport(Cli &cli)
{
    ImageSources sources(cli);
    NamedImage named;
    int status = Exit::Ok;
    if (!sources.Load(cli.Options().arguments.first(), false, &named, &status)) return status;
    const QStringList lines = ReportLines(named.image, named.product);
    const QString output = cli.Options().output;
    if (output.isEmpty() || CliFiles::IsStandardOutput(output)) {
        for (const QString &line : lines) cli.Out(line);
        return Exit::Ok;
    }
    // The writers name the file in their error text.
    const QString error = ReportWantsPdf(output) ? WriteReportPdf(output, lines) : WriteReportText(output, lines);
    if (!error.isEmpty()) return cli.Fail(Exit::File, QString(), error);
    return Exit::Ok;
}
