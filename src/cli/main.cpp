// quarntrim-cli: the command line front end. Reads the command line, then runs one command.
#include "cli/arguments.h"
#include "cli/clihistory.h"
#include "cli/commands.h"
#include "cli/completion.h"
#include "cli/standardoutput.h"
#include "cli/multiport.h"
#include "cli/processend.h"

#include <QCoreApplication>
#include <QGuiApplication>

#include <cstdio>
#include <memory>

namespace {
// Qt's own debug and warning lines (a PDF report's note on the runtime folder, for one) are no
// result and no failure of the command: standard error keeps to the command's own lines unless
// QUARNTRIM_QT_MESSAGES is set. Critical and fatal messages still go through.
QtMessageHandler QtDefaultHandler = nullptr;

void KeepQtNoiseOff(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    if (type == QtDebugMsg || type == QtInfoMsg || type == QtWarningMsg) return;
    QtDefaultHandler(type, context, text);
}
}  // namespace

namespace {
// Runs the command the command line names; every object of the run is gone when it returns.
int RunCommandLine(int argc, char *argv[])
{
    StandardOutput::Begin();
    if (qEnvironmentVariableIsEmpty("QUARNTRIM_QT_MESSAGES")) QtDefaultHandler = qInstallMessageHandler(KeepQtNoiseOff);
    QStringList arguments;
    for (int i = 1; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
    ParsedCommandLine parsed;
    QString error;
    const bool parsedOk = ParseCommandLine(arguments, &parsed, &error);

    // Only a PDF report needs Qt Gui's application; it runs without a display.
    std::unique_ptr<QCoreApplication> app;
    if (parsedOk && parsed.command && ReportWantsPdf(parsed.options.output)) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        app = std::make_unique<QGuiApplication>(argc, argv);
    } else {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }
    QCoreApplication::setApplicationName(QStringLiteral("quarntrim-cli"));
    QCoreApplication::setApplicationVersion(QStringLiteral(QUARN_VERSION));

    // The bash completion script asks here; this is not a command.
    if (arguments.value(0) == QLatin1String("--complete")) return StandardOutput::Finish(Complete(arguments.mid(1)));
    if (!parsedOk) {
        std::fprintf(stderr, "quarntrim-cli: %s (quarntrim-cli --help lists the commands)\n", qPrintable(error));
        return Exit::Usage;
    }
    if (parsed.version) {
        StandardOutput::WriteLine(QStringLiteral("quarntrim-cli " QUARN_VERSION));
        return StandardOutput::Finish(Exit::Ok);
    }
    if (parsed.help || !parsed.command) {
        const QString text = parsed.command ? CommandUsageText(*parsed.command, parsed.options) : UsageText();
        StandardOutput::Write(text.toUtf8());
        return StandardOutput::Finish(Exit::Ok);
    }
    // Several ports: the program runs itself once per port. One port: `{port}` in a file name
    // is its name as well.
    if (SeveralPorts(parsed)) return RunOnEachPort(arguments, parsed);
    if (const QStringList named = WithPortInFileNames(arguments, parsed); named != arguments) {
        ParsedCommandLine renamed;
        if (!ParseCommandLine(named, &renamed, &error)) {
            std::fprintf(stderr, "quarntrim-cli: %s\n", qPrintable(error));
            return Exit::Usage;
        }
        parsed = renamed;
    }
    Cli cli(parsed.options);
    return PushKeptHistory(StandardOutput::Finish(RunWithByteLog(cli, *parsed.command)));
}
}  // namespace

int main(int argc, char *argv[]) { return EndProcess(RunCommandLine(argc, argv)); }
