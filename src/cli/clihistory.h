#pragma once
// The command line keeps the images it exchanges in the same controller history as the window.
// A history that cannot be written costs one line on standard error, never the command.
#include "app/calimage.h"
#include "history/historystore.h"

class CliLink;

void KeepInHistory(const CliLink &link, HistoryKind direction, const CalImageBytes &image);
