#pragma once
// How the command line ends once a command is over and its output is out. On Windows the process
// ends at once with the command's status: the system's usual ending runs every library's
// detach code, and a runtime library that failed in the link worker's thread-exit clean-up
// (seen under Wine) then waits for good in that code, so that a command that has finished, its
// files written, would never return. Elsewhere the program ends the usual way.
int EndProcess(int status);
