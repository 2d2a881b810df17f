#pragma once
// Ctrl+C and SIGTERM while a command holds the link. The handler only notes the signal; the
// command's wait notices it, and the link worker is then stopped along its ordinary path, which
// starts the controller's application if a bootloader run holds it. A second signal ends the
// program at once.
namespace CliInterrupt {

// Catches SIGINT and SIGTERM until Release().
void Catch();
void Release();
// The signal caught since Catch() (0: none).
int Caught();
// The exit status of a command ended by `signal`: 128 + its number, as a shell reports a program
// the signal ended (130 for Ctrl+C, 143 for SIGTERM).
int ExitStatus(int signal);

}  // namespace CliInterrupt
