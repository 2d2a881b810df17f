#pragma once
// The command line's sub-commands: one function each over the shared core, and the table that
// names them, their arguments, their own options and their help.
#include "core/calimage.h"

#include <QStringList>

class Cli;
struct CliOptions;

// Options a command may take besides the global ones.
enum CommandOption : unsigned {
    NoOption = 0,
    ProbeOption = 1,   // --probe
    OutputOption = 2,  // -o FILE
    BackupOption = 4,  // --backup FILE
    JsonOption = 8,    // --json: the command prints its result as one JSON document
    LogOption = 16,    // --log FILE: the command talks to a controller (ports only with --probe)
    ControllerImage = 32,  // ... only when one of its images is 'controller'
    DryRunOption = 64,     // --dry-run
    UnitOption = 128,      // --unit NAME: the history keeps what is exchanged under this unit
};

struct Command {
    const char *name;
    const char *synopsis;  // its arguments and options, as the usage line shows them
    const char *summary;   // one line for the command list
    const char *help;      // what --help on the command adds
    int minArguments;
    int maxArguments;
    unsigned options;
    int (*run)(Cli &cli);
    // Lines --help on the command adds after `help`, for the options and arguments given with it.
    QStringList (*moreHelp)(const CliOptions &options) = nullptr;
};

int RunPorts(Cli &cli);
int RunIdentify(Cli &cli);
int RunGet(Cli &cli);
int RunSend(Cli &cli);
int RunShow(Cli &cli);
int RunDiff(Cli &cli);
int RunReport(Cli &cli);
int RunFlash(Cli &cli);
int RunReadFlash(Cli &cli);
int RunVerify(Cli &cli);
int RunStart(Cli &cli);
int RunSet(Cli &cli);
int RunApply(Cli &cli);
int RunHistory(Cli &cli);
// The words history takes first: list, show, diff, get, sync, remote.
QStringList HistoryVerbs();
class CliLink;
struct PortChoice;
// Uploads `image` to the connected controller, downloads it again and compares byte for byte
// (status 1 naming the bytes that differ from `sent`); both images are kept in the history.
int SendAndReadBack(Cli &cli, CliLink &link, const CalImageBytes &image, const QString &sent);
// The controller's product letter, name and banner, as identify prints them.
int PrintIdentity(Cli &cli, const CliLink &link, const PortChoice &port);

// True when the report goes to a PDF file: the command line then needs Qt Gui's application.
bool ReportWantsPdf(const QString &output);

// Every command, in the order --help lists them.
const QList<Command> &Commands();
const Command *FindCommand(const QString &name);

struct CliOptions;
// Whether the command, with these options and arguments, talks to a controller (--log then has
// bytes to record).
bool TalksToController(const Command &command, const CliOptions &options);
