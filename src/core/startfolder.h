#pragma once
// Where a file dialog starts: the folder last used for that kind of file, remembered in the user's
// settings, while it still exists; else the user's documents folder (else the home folder). Never
// the program's own folder, which a user cannot write on an install for all users.
#include <QString>

// The kinds of file a dialog remembers a folder for: the settings key of each.
namespace FolderKind {
inline constexpr const char *JoyFiles = "Folders/JoyFiles";
inline constexpr const char *Firmware = "Folders/Firmware";
}  // namespace FolderKind

QString StartFolder(const char *kind);
// Remembers the folder of a file the user chose; nothing for an empty name.
void RememberFolder(const char *kind, const QString &chosenFile);
