#pragma once
// Choosing the firmware file: what the open-file dialog shows, and which answer becomes the
// firmware file name. The dialog itself runs on the user interface thread, outside this library.
#include <QString>

namespace FirmwareFile {

inline constexpr char kDialogTitle[] = "Select Quarn Firmware File";
// One entry: the caption shows the pattern; matching ignores case in Qt's file dialog.
inline constexpr char kDialogFilter[] = "ATMega16 CPU files (*.hex)";

// The name the dialog starts with: the folder it starts in followed by "*.hex".
QString PresetName(const QString &folder);

// The firmware file name from the dialog's answer: the chosen name when the user confirmed and the
// file is usable (it exists, no wildcard in its name), otherwise empty.
QString Accept(bool confirmed, const QString &chosen);

}  // namespace FirmwareFile
