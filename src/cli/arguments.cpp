#include "cli/arguments.h"

#include "cli/commands.h"
#include "cli/portchoice.h"
#include "core/variants.h"

#include <cmath>

namespace {

struct OptionRow {
    const char *name;
    const char *value;   // nullptr: a switch
    const char *help;
    unsigned commandOption;  // 0: global
    bool (*set)(CliOptions &options, const QString &value);
};

bool SetWait(CliOptions &o, const QString &v)
{
    bool ok = false;
    const double seconds = v.toDouble(&ok);
    // A wait of no time would fail every command before a controller could announce itself.
    if (!ok || !std::isfinite(seconds) || seconds <= 0 || seconds > 3600) return false;
    o.waitMs = int(seconds * 1000);
    return true;
}

// A repeated --port adds its ports to the list; no port of it may be empty.
bool AddPort(CliOptions &o, const QString &v)
{
    if (PortList(v).contains(QString())) return false;
    o.port = o.port.isEmpty() ? v : o.port + PortSeparator + v;
    return !v.isEmpty();
}

bool SetProduct(CliOptions &o, const QString &v)
{
    if (v.size() != 1 || !VariantOfLetter(uint8_t(v[0].toLatin1()))) return false;
    o.product = v[0];
    return true;
}

const OptionRow kOptions[] = {
    {"--port", "PORT", "COM number (7 or COM7), device path, or a serial device server\n"
     "                      (tcp://HOST:PORT raw, rfc2217://HOST:PORT Telnet);\n"
     "                      default: the window's stored \"COM Port\";\n"
     "                      several (7,8,9 or --port again): each controller at once", 0, AddPort},
    {"--wait", "SECONDS", "how long a controller may take to announce itself (default 10)", 0, SetWait},
    {"--json", nullptr, "print the result as one JSON document", JsonOption, [](CliOptions &o, const QString &) { return o.json = true; }},
    {"--quiet", nullptr, "no progress line", 0, [](CliOptions &o, const QString &) { return o.quiet = true; }},
    {"--product", "LETTER", "read *.joy files with this product's layout (j, b, a, d, z, c)", 0, SetProduct},
    {"--probe", nullptr, "ports: name the controller on each port", ProbeOption,
     [](CliOptions &o, const QString &) { return o.probe = true; }},
    {"-o", "FILE", "output file", OutputOption, [](CliOptions &o, const QString &v) { o.output = v; return !v.isEmpty(); }},
    {"--backup", "FILE", "flash: keep the replaced firmware in FILE first", BackupOption,
     [](CliOptions &o, const QString &v) { o.backup = v; return !v.isEmpty(); }},
    {"--dry-run", nullptr, "set, apply: print what would change; write and send nothing", DryRunOption,
     [](CliOptions &o, const QString &) { return o.dryRun = true; }},
    {"--unit", "UNIT", "get, send, set, apply, flash: the truck or machine the controller is fitted to, as the\n"
     "                      shop history names it (any case; blanks and any letters)", UnitOption,
     [](CliOptions &o, const QString &v) { o.unit = v.simplified(); return !o.unit.isEmpty(); }},
    {"--log", "FILE", "every byte on the line with its time (\"> n\" sent, \"< n\" received) into FILE", LogOption,
     [](CliOptions &o, const QString &v) { o.log = v; return !v.isEmpty(); }},
};

const OptionRow *FindOption(const QString &name)
{
    for (const OptionRow &row : kOptions)
        if (name == QLatin1String(row.name)) return &row;
    return nullptr;
}

QString OptionLine(const OptionRow &row)
{
    QString left = QLatin1String(row.name);
    if (row.value) left += QLatin1Char(' ') + QLatin1String(row.value);
    return QStringLiteral("  %1  %2\n").arg(left, -18).arg(QLatin1String(row.help));
}

const char kExitStatuses[] =
    "Exit status: 0 success; 1 a difference (send read back something else, verify found\n"
    "one); 2 usage, or a value a setting cannot take; 3 the link (no controller within\n"
    "--wait, the port, a transfer or the bootloader); 4 a file (unreadable, wrong size, a HEX\n"
    "record error, a recipe line that is no setting or a recipe cut short, cannot write, standard\n"
    "output failed); 5 the controller's firmware is incomplete and it waits in its bootloader\n"
    "(flash stopped part-way, a signal during programming included, or its read-back differs):\n"
    "flash it again; 130, 143, 129 Ctrl+C, SIGTERM, SIGHUP. A failure (2 to 5) beats a\n"
    "difference (1).\n";

}  // namespace

bool ParseCommandLine(const QStringList &arguments, ParsedCommandLine *parsed, QString *error)
{
    QStringList positional;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        QString word = arguments[i];
        if (word == QLatin1String("--help") || word == QLatin1String("-h")) {
            parsed->help = true;
            continue;
        }
        if (word == QLatin1String("--version")) {
            parsed->version = true;
            continue;
        }
        if (!word.startsWith(QLatin1Char('-')) || word == QLatin1String("-")) {
            positional << word;
            continue;
        }
        QString value;
        bool inlineValue = false;
        if (const qsizetype eq = word.indexOf(QLatin1Char('=')); word.startsWith(QLatin1String("--")) && eq > 0) {
            value = word.mid(eq + 1);
            word = word.left(eq);
            inlineValue = true;
        }
        const OptionRow *row = FindOption(word);
        if (!row) {
            *error = QStringLiteral("unknown option %1").arg(word);
            return false;
        }
        if (row->value && !inlineValue) {
            if (i + 1 >= arguments.size()) {
                *error = QStringLiteral("%1 needs a value (%2)").arg(word, QLatin1String(row->value));
                return false;
            }
            value = arguments[++i];
        } else if (!row->value && inlineValue) {
            *error = QStringLiteral("%1 takes no value").arg(word);
            return false;
        }
        if (!row->set(parsed->options, value)) {
            *error = QStringLiteral("bad value for %1: '%2'").arg(word, value);
            return false;
        }
        parsed->optionsUsed |= row->commandOption;
    }
    if (positional.isEmpty()) {
        if (parsed->help || parsed->version) return true;
        *error = QStringLiteral("no command given");
        return false;
    }
    parsed->command = FindCommand(positional.first());
    if (!parsed->command) {
        *error = QStringLiteral("unknown command '%1'").arg(positional.first());
        return false;
    }
    parsed->options.arguments = positional.mid(1);
    if (parsed->help) return true;
    const Command &command = *parsed->command;
    if (const unsigned stray = parsed->optionsUsed & ~command.options) {
        for (const OptionRow &row : kOptions)
            if (row.commandOption & stray) *error = QStringLiteral("%1 does not take %2").arg(QLatin1String(command.name), QLatin1String(row.name));
        return false;
    }
    parsed->options.arguments = positional.mid(1);
    const int count = int(parsed->options.arguments.size());
    if (count < command.minArguments || count > command.maxArguments) {
        *error = QStringLiteral("usage: quarntrim-cli %1 %2").arg(QLatin1String(command.name), QLatin1String(command.synopsis)).trimmed();
        return false;
    }
    if (!parsed->options.log.isEmpty() && !TalksToController(command, parsed->options)) {
        *error = QStringLiteral("%1 talks to no controller here: --log has nothing to record").arg(QLatin1String(command.name));
        return false;
    }
    return true;
}

QString UsageText()
{
    QString text = QStringLiteral(
        "usage: quarntrim-cli [--port PORT] [--wait SECONDS] [--json] [--quiet] COMMAND ...\n"
        "The controller's service core without the window: the same link, image and bootloader\n"
        "code, for scripts and production lines.\n\ncommands:\n");
    for (const Command &command : Commands()) {
        const QString left = (QLatin1String(command.name) + QLatin1Char(' ') + QLatin1String(command.synopsis)).trimmed();
        text += QStringLiteral("  %1  %2\n").arg(left, -30).arg(QLatin1String(command.summary));
    }
    text += QStringLiteral("\noptions:\n");
    for (const OptionRow &row : kOptions)
        if (!row.commandOption) text += OptionLine(row);
    text += QStringLiteral("  --help              this text; after a command, that command's\n"
                           "  --version           the program's version\n\n");
    text += QLatin1String(kExitStatuses);
    return text;
}

QString CommandUsageText(const Command &command, const CliOptions &options)
{
    QString text = QStringLiteral("usage: quarntrim-cli [global options] %1 %2\n\n%3\n")
                       .arg(QLatin1String(command.name), QLatin1String(command.synopsis), QLatin1String(command.help));
    if (command.moreHelp) text += QLatin1Char('\n') + command.moreHelp(options).join(QLatin1Char('\n')) + QLatin1Char('\n');
    bool first = true;
    for (const OptionRow &row : kOptions) {
        if (!(row.commandOption & command.options)) continue;
        if (first) text += QStringLiteral("\noptions:\n");
        first = false;
        text += OptionLine(row);
    }
    text += QStringLiteral("\nGlobal options: see quarntrim-cli --help.\n");
    text += QLatin1String(kExitStatuses);
    return text;
}

QList<OptionName> OptionNames(const Command *command)
{
    QList<OptionName> names{{QStringLiteral("--help"), {}}, {QStringLiteral("--version"), {}}};
    for (const OptionRow &row : kOptions)
        if (!row.commandOption || (command && (row.commandOption & command->options)))
            names.append({QLatin1String(row.name), QLatin1String(row.value)});
    return names;
}
