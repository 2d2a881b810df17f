#pragma once
// Reads the command line: global options anywhere, the command, its arguments and own options.
#include "cli/cli.h"

struct Command;

struct ParsedCommandLine {
    CliOptions options;
    const Command *command = nullptr;  // null with help or version alone
    bool help = false;
    bool version = false;
    unsigned optionsUsed = 0;          // CommandOption bits given
};

// False with `error` set on a usage error.
bool ParseCommandLine(const QStringList &arguments, ParsedCommandLine *parsed, QString *error);

// The whole usage text, or one command's.
QString UsageText();
QString CommandUsageText(const Command &command, const CliOptions &options = {});

// An option as shell completion offers it: its name and its value's placeholder ("FILE", "PORT";
// empty for a switch).
struct OptionName {
    QString name;
    QString value;
};
// The global options (with --help and --version), and with a command also its own.
QList<OptionName> OptionNames(const Command *command);
