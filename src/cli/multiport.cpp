#include "cli/multiport.h"

#include "cli/arguments.h"
#include "cli/cli.h"
#include "cli/commands.h"
#include "cli/interrupt.h"
#include "cli/portchoice.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

#ifdef Q_OS_UNIX
#include <csignal>
#include <unistd.h>
#endif

namespace {

// The commands that run on several ports at once. `writesItsFile`: its file argument is written,
// so each port needs a name of its own; `settingsAfterTarget`: the words after its target are
// settings, never file names.
struct OnEachPort {
    const char *command;
    bool writesItsFile;
    bool settingsAfterTarget;
};
const OnEachPort kOnEachPort[] = {
    {"identify", false, false}, {"get", true, false},   {"send", false, false},  {"show", false, false},
    {"set", false, true},       {"apply", false, false}, {"flash", false, false}, {"verify", false, false},
};

const OnEachPort *OnEachPortRow(const Command &command)
{
    for (const OnEachPort &row : kOnEachPort)
        if (qstrcmp(row.command, command.name) == 0) return &row;
    return nullptr;
}

// An option whose value is a file the command writes (-o, --backup, --log) has this placeholder.
const QString FileValue = QStringLiteral("FILE");
// An option that names one controller, and so cannot go with several ports.
const QString UnitOption = QStringLiteral("--unit");
const QString PortOption = QStringLiteral("--port");
const QString StandardStream = QStringLiteral("-");
// Every failure line of a run begins so.
const QString FailurePrefix = QStringLiteral("quarntrim-cli: ");

// How often the wait for the runs looks for a signal.
constexpr int SignalPollMs = 20;
// Standard input is read once and handed to every run; a command reads far less (a recipe at most
// 1 MiB), and refuses more itself.
constexpr qsizetype HandedOnInputLimit = 4 << 20;
// A run that ended without an exit status of its own (it crashed, or could not be started) failed
// on its port.
constexpr int RunLostStatus = Exit::Link;

bool IsPositional(const QString &word) { return word == StandardStream || !word.startsWith(QLatin1Char('-')); }

// The command's own options and the global ones, by name.
const OptionName *FindOptionName(const QList<OptionName> &options, const QString &name)
{
    const auto found = std::find_if(options.begin(), options.end(), [&](const OptionName &o) { return o.name == name; });
    return found == options.end() ? nullptr : &*found;
}

// A word of the program's arguments as the command reads it: `prefix` is "--log=" for an option
// given with its value in one word.
struct Word {
    QString prefix;
    QString value;
    QString naming;        // the option, or the command, whose file it is
    bool port = false;     // --port or its value
    bool file = false;     // a file name
    bool written = false;  // a file the command writes
};

QList<Word> Words(const QStringList &arguments, const Command &command)
{
    const OnEachPort *row = OnEachPortRow(command);
    const QList<OptionName> options = OptionNames(&command);
    QList<Word> words;
    int positional = 0;  // the command's name is the first
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &text = arguments[i];
        if (IsPositional(text)) {
            const bool setting = row && row->settingsAfterTarget && positional >= 2;
            const bool written = row && row->writesItsFile && positional == 1;
            words.append({{}, text, QLatin1String(command.name), false, positional >= 1 && !setting, written});
            ++positional;
            continue;
        }
        const qsizetype eq = text.startsWith(QLatin1String("--")) ? text.indexOf(QLatin1Char('=')) : -1;
        const QString name = eq > 0 ? text.left(eq) : text;
        const OptionName *option = FindOptionName(options, name);
        const bool takesValue = option && !option->value.isEmpty();
        const bool file = takesValue && option->value == FileValue;
        const bool port = name == PortOption;
        if (eq > 0) {
            words.append({name + QLatin1Char('='), text.mid(eq + 1), name, port, file, file});
            continue;
        }
        words.append({{}, text, name, port, false, false});
        if (takesValue && i + 1 < arguments.size()) words.append({{}, arguments[++i], name, port, file, file});
    }
    return words;
}

// The program's arguments for one port: every --port left out and that port given instead (none
// for the stored port), `{port}` replaced by `inFileName` in the file names.
QStringList ArgumentsForPort(const QStringList &arguments, const Command &command, const QString &port, const QString &inFileName)
{
    QStringList out;
    if (!port.isEmpty()) out << PortOption << port;
    for (Word word : Words(arguments, command)) {
        if (word.port) continue;
        if (word.file) word.value.replace(PortPlaceholder, inFileName);
        out << word.prefix + word.value;
    }
    return out;
}

struct PortRun {
    QString given;     // as --port named it
    PortChoice port;
    std::unique_ptr<QProcess> process;
    QByteArray pendingError;  // a standard error line not yet ended
    QString failure;          // its last failure line, without the program's name
    QString output;           // its standard output
    int status = -1;
    bool done = false;
};

// The reason of a failed run, as its summary line gives it: its failure line without its port.
QString Reason(const PortRun &run)
{
    QString text = run.failure;
    for (const QString &port : {run.port.label, run.port.named})
        if (text.startsWith(port + QStringLiteral(": "))) return text.mid(port.size() + 2);
    return text.isEmpty() ? QStringLiteral("failed") : text;
}

QString SummaryLine(const PortRun &run)
{
    if (run.status == Exit::Ok) return run.port.named + QStringLiteral(": ok");
    return QStringLiteral("%1: %2 (%3)").arg(run.port.named, Reason(run)).arg(run.status);
}

// Passes a run's ended standard error lines on, each after its port's name.
void PassErrorLines(PortRun &run, bool ended)
{
    run.pendingError += run.process->readAllStandardError();
    if (ended && !run.pendingError.isEmpty() && !run.pendingError.endsWith('\n')) run.pendingError += '\n';
    qsizetype end;
    while ((end = run.pendingError.indexOf('\n')) >= 0) {
        const QString line = QString::fromUtf8(run.pendingError.left(end));
        run.pendingError.remove(0, end + 1);
        if (line.startsWith(FailurePrefix)) run.failure = line.mid(FailurePrefix.size());
        std::fprintf(stderr, "%s: %s\n", qPrintable(run.port.named), line.toUtf8().constData());
    }
    std::fflush(stderr);
}

void Finished(PortRun &run, int status, const QString &failure = {})
{
    if (run.done) return;
    PassErrorLines(run, true);
    run.output = QString::fromUtf8(run.process->readAllStandardOutput());
    run.status = status;
    if (!failure.isEmpty()) run.failure = failure;
    run.done = true;
}

void Start(PortRun &run, const QStringList &arguments, const QByteArray *input)
{
    run.process = std::make_unique<QProcess>();
    QProcess &process = *run.process;
#ifdef Q_OS_UNIX
    // A run is a process group of its own: Ctrl+C on the terminal reaches this program alone, and
    // each run gets the one signal handed on below, which lets it release its controller (a
    // second signal would end it at once). A run whose results can no longer be passed on (this
    // program was ended by a second signal) still releases its controller: a write to the
    // closed pipe fails instead of ending it.
    process.setChildProcessModifier([] {
        ::setpgid(0, 0);
        std::signal(SIGPIPE, SIG_IGN);
    });
#endif
    if (!input) process.setStandardInputFile(QProcess::nullDevice());
    QObject::connect(&process, &QProcess::readyReadStandardError, [&run] { PassErrorLines(run, false); });
    QObject::connect(&process, &QProcess::finished, [&run](int code, QProcess::ExitStatus how) {
        if (how == QProcess::NormalExit) Finished(run, code);
        else Finished(run, RunLostStatus, QStringLiteral("ended without an exit status"));
    });
    QObject::connect(&process, &QProcess::errorOccurred, [&run](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart) Finished(run, RunLostStatus, QStringLiteral("could not be run: ") + run.process->errorString());
    });
    process.start(QCoreApplication::applicationFilePath(), arguments);
    if (input) {
        process.write(*input);
        process.closeWriteChannel();
    }
}

// Hands Ctrl+C or SIGTERM on to every run still going. On Windows, Ctrl+C reaches every program
// of the console by itself.
void HandOn(std::vector<PortRun> &runs, int signal)
{
#ifdef Q_OS_UNIX
    for (PortRun &run : runs)
        if (!run.done && run.process->processId() > 0) ::kill(pid_t(run.process->processId()), signal);
#else
    Q_UNUSED(runs);
    Q_UNUSED(signal);
#endif
}

QByteArray ReadStandardInput()
{
    QByteArray input;
    char buffer[65536];
    size_t got;
    while (input.size() <= HandedOnInputLimit && (got = std::fread(buffer, 1, sizeof buffer, stdin)) > 0) input.append(buffer, qsizetype(got));
    return input;
}

// The refusal of a command line that cannot run on several ports; empty when it can.
QString Refusal(const QStringList &arguments, const ParsedCommandLine &parsed, std::vector<PortRun> &runs)
{
    const Command &command = *parsed.command;
    const QString name = QLatin1String(command.name);
    if (!OnEachPortRow(command)) return QStringLiteral("%1 runs on one port at a time").arg(name);
    if (!TalksToController(command, parsed.options)) return QStringLiteral("%1 of a file talks to no controller: it takes one port at most").arg(name);
    for (const QString &word : arguments)
        if (word == UnitOption || word.startsWith(UnitOption + QLatin1Char('=')))
            return QStringLiteral("%1 names one controller: it cannot go with several ports").arg(UnitOption);
    for (const Word &word : Words(arguments, command))
        if (word.written && !word.value.contains(PortPlaceholder))
            return QStringLiteral("%1 %2: each port writes a file of its own, so the name needs %3").arg(word.naming, word.value, PortPlaceholder);
    for (const QString &given : PortList(parsed.options.port)) {
        PortRun run;
        run.given = given;
        QString error;
        if (!ChoosePort(given, &run.port, &error)) return PortOption + QStringLiteral(": ") + error;
        const QString inFileName = PortInFileName(run.port);
        for (const PortRun &other : runs)
            if (other.port.named == run.port.named || (!run.port.device.isEmpty() && other.port.device == run.port.device) ||
                PortInFileName(other.port) == inFileName)
                return QStringLiteral("%1: %2 and %3 are one port, or one name in a file name").arg(PortOption, other.given, given);
        runs.push_back(std::move(run));
    }
    return {};
}

}  // namespace

bool SeveralPorts(const ParsedCommandLine &parsed) { return PortList(parsed.options.port).size() > 1; }

int RunOnEachPort(const QStringList &arguments, const ParsedCommandLine &parsed)
{
    Cli cli(parsed.options);
    std::vector<PortRun> runs;
    if (const QString refusal = Refusal(arguments, parsed, runs); !refusal.isEmpty()) return cli.Fail(Exit::Usage, {}, refusal);

    const bool readsInput = parsed.options.arguments.contains(StandardStream);
    const QByteArray input = readsInput ? ReadStandardInput() : QByteArray();
    CliInterrupt::Catch();
    for (PortRun &run : runs)
        Start(run, ArgumentsForPort(arguments, *parsed.command, run.given, PortInFileName(run.port)), readsInput ? &input : nullptr);

    const bool json = parsed.options.json;
    QJsonArray document;
    size_t shown = 0;  // the runs whose results are out, in port order
    int handedOn = 0;
    QTimer tick;  // wakes the wait up to look for a signal
    tick.start(SignalPollMs);
    while (shown < runs.size()) {
        if (const int signal = CliInterrupt::Caught(); signal && !handedOn) HandOn(runs, handedOn = signal);
        for (; shown < runs.size() && runs[shown].done; ++shown) {
            const PortRun &run = runs[shown];
            if (json) {
                QJsonObject entry{{QStringLiteral("port"), run.port.named}, {QStringLiteral("status"), run.status}};
                const QJsonDocument result = QJsonDocument::fromJson(run.output.toUtf8());
                entry.insert(QStringLiteral("result"), result.isObject() ? QJsonValue(result.object()) : QJsonValue());
                if (run.status != Exit::Ok) entry.insert(QStringLiteral("error"), Reason(run));
                document.append(entry);
                continue;
            }
            cli.Out(SummaryLine(run));
            for (const QString &line : run.output.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) cli.Out(line);
        }
        if (shown < runs.size()) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    CliInterrupt::Release();
    if (json) cli.Out(QString::fromUtf8(QJsonDocument(document).toJson(QJsonDocument::Indented)).trimmed());
    if (handedOn) return CliInterrupt::ExitStatus(handedOn);
    int status = Exit::Ok;
    for (const PortRun &run : runs) status = std::max(status, run.status);
    return status;
}

QStringList WithPortInFileNames(const QStringList &arguments, const ParsedCommandLine &parsed)
{
    if (!parsed.command || parsed.help || !TalksToController(*parsed.command, parsed.options)) return arguments;
    if (std::none_of(arguments.begin(), arguments.end(), [](const QString &word) { return word.contains(PortPlaceholder); })) return arguments;
    PortChoice port;
    QString error;
    if (!ChoosePort(parsed.options.port, &port, &error)) return arguments;  // the command itself says what is wrong
    const QString given = PortList(parsed.options.port).value(0);
    return ArgumentsForPort(arguments, *parsed.command, given, PortInFileName(port));
}
