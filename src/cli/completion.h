#pragma once
// Shell completion, asked by the bash completion script as
//     quarntrim-cli --complete CWORD WORD...
// with the words of the command line being typed (WORD 0 the program) and the index of the one
// being completed. The first line printed says how the shell shows the rest:
//   words  the lines that follow, as they are;
//   files  the lines that follow, and the file names that begin like the word;
//   names  the lines that follow are setting names ("NAME="): quoted as file names are, no space.
// The candidates come from the program's own tables: the commands, the options, the COM numbers
// of the serial device map, the product letters and the named-field catalogue.
#include <QStringList>

// Prints the completion; returns the exit status (2 when the request itself is malformed).
int Complete(const QStringList &request);
