#pragma once
// *.joy configuration files: exactly the 256 bytes of the calibration image, byte n of the file
// being byte n of the image; no header, no product code, no version.
#include "core/calimage.h"
#include "core/files/ioerror.h"

#include <QString>

// The open and save dialogs' filter, as the technician has always seen it (blanks included).
inline const QString JoyFileFilter = QStringLiteral("Switch Files (*.joy) | *.joy |All Files (*.*) | *.* ");
// The file name box of both dialogs: the program's folder followed by this.
inline const QString JoyFilePattern = QStringLiteral("*.joy");

// Reads a file into `image`. An empty file gives 256 zero bytes; a file of 1 to 255 bytes fails
// with "Read beyond end of file"; a longer file gives its first 256 bytes. The file is opened for
// reading only, so a write-protected file opens; a pipe, device or socket is refused at once.
// On failure `image` is left as it was.
IoError ReadJoyFile(const QString &fileName, CalImageBytes &image);

// Writes the image as one 256-byte record under exactly `fileName` (no extension is added). The
// bytes go to a temporary file beside the target that replaces it only once complete, so a failed
// save leaves an existing file as it was.
IoError WriteJoyFile(const QString &fileName, const CalImageBytes &image);
