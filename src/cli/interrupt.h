#pragma once
// Ctrl+C, SIGTERM and SIGHUP (a closed terminal, a dropped ssh session) while a command holds the
// link; on Windows the console's close and the session's end as well. The handler only notes
// the signal; the command's wait notices it, and the link worker is then stopped along its
// ordinary path, which starts the controller's application if a bootloader run that programmed
// nothing holds it. A second signal ends the program at once.
namespace CliInterrupt {

// Catches the signals until Release().
void Catch();
// The command has let go of the controller: also what a Windows console close or session end
// waits for before the system ends the program.
void Release();
// The signal caught since Catch() (0: none).
int Caught();
// The exit status of a command ended by `signal`: 128 + its number, as a shell reports a program
// the signal ended (130 for Ctrl+C, 143 for SIGTERM, 129 for SIGHUP).
int ExitStatus(int signal);

}  // namespace CliInterrupt
