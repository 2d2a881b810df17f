#pragma once
// Several controllers in one command (--port 7,8,9): the program runs itself again once per port,
// all at once, each run with that one port and otherwise the same arguments, so that nothing a
// run keeps for its process (the controller's product code, the signal handler, the byte log,
// the progress line) is shared between controllers. `{port}` in a file name is the port's name;
// a file the command writes must have it.
//
// What the runs print is gathered per port, in the order the ports were named: a summary line
// ("COM7: ok", "COM8: no controller announced itself within 10 s (3)"), then what that run
// printed on standard output. Their standard error lines pass at once, each after its port's
// name. With --json, one document instead: an array with an object per port (port, status,
// result: the run's own document, error: its failure line). The exit status is the highest of
// the runs'. Ctrl+C or SIGTERM is handed to every run, which releases its controller; then the
// program ends with 130 or 143.
#include <QStringList>

struct ParsedCommandLine;

// True when --port names more than one port.
bool SeveralPorts(const ParsedCommandLine &parsed);

// Runs the parsed command on each port of --port; `arguments` are the program's own. Returns the
// exit status.
int RunOnEachPort(const QStringList &arguments, const ParsedCommandLine &parsed);

// With one port: `arguments` with `{port}` in the command's file names replaced by that port's
// name; the same arguments when there is nothing to replace.
QStringList WithPortInFileNames(const QStringList &arguments, const ParsedCommandLine &parsed);
