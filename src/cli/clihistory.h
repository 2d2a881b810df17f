#pragma once
// The command line keeps the images it exchanges and the firmware it replaces in the same shop
// history as the window, under the unit --unit names. A history that cannot be written costs one
// line on standard error, never the command. What a command kept goes to the shop's server in the
// background, for a few seconds at most once the command is done.
#include "core/calimage.h"
#include "history/historystore.h"

#include <QByteArray>

class CliLink;

void KeepInHistory(const CliLink &link, HistoryKind direction, const CalImageBytes &image);
void KeepFirmwareInHistory(const CliLink &link, const QByteArray &hex);
// After the command: pushes what it kept when the history names a server, waiting at most
// ExitPushWaitMs; returns `status`, the command's. A sync still going on then (this push, or
// history sync past its bound) does not hold the exit.
int PushKeptHistory(int status);

inline constexpr int ExitPushWaitMs = 3000;
