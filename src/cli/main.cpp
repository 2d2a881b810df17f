// quarntrim-cli: the command line front end. Reads the command line, then runs one command.
#include "cli/arguments.h"
#include "cli/commands.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("quarntrim-cli"));
    QCoreApplication::setApplicationVersion(QStringLiteral(QUARN_VERSION));

    ParsedCommandLine parsed;
    QString error;
    if (!ParseCommandLine(QCoreApplication::arguments().mid(1), &parsed, &error)) {
        std::fprintf(stderr, "quarntrim-cli: %s\n(quarntrim-cli --help lists the commands)\n", qPrintable(error));
        return Exit::Usage;
    }
    if (parsed.version) {
        std::printf("quarntrim-cli %s\n", QUARN_VERSION);
        return Exit::Ok;
    }
    if (parsed.help || !parsed.command) {
        const QString text = parsed.command ? CommandUsageText(*parsed.command) : UsageText();
        std::fputs(qPrintable(text), stdout);
        return Exit::Ok;
    }
    Cli cli(parsed.options);
    return parsed.command->run(cli);
}
