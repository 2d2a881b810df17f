#pragma once
// The controller history: every calibration image exchanged with a controller, and every copy of
// a controller's firmware taken before an upgrade, kept as plain files in one folder:
//
//   <time>_<direction>_COM<n>_<product letter>.joy   the 256 bytes exactly as exchanged
//   <time>_firmware_COM<n>.hex                       the flash read back, as Intel HEX
//   index.txt                                        one tab-separated line per file, oldest
//                                                    first: time, direction, port, product
//                                                    letter, banner (or chip line), file name
//
// The file name carries everything but the banner, so a file copied in or an index lost still
// lists. Every file is written whole or not at all, under a lock shared with any other process
// that keeps history (the window and the command line). The folder is bounded: the newest
// kMaxImages images and the newest kMaxFirmware firmware copies; older ones are removed.
#include "app/calimage.h"

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>

enum class HistoryKind { Download, Upload, Firmware };

struct HistoryEntry {
    QDateTime time;         // UTC, to the millisecond
    HistoryKind kind = HistoryKind::Download;
    int comNumber = 0;
    char productLetter = 0;  // the letter the controller announced itself with; 0 unknown
    QString banner;          // the controller's banner, or the bootloader's chip line
    QString fileName;        // inside the history folder
};

// "download", "upload" or "firmware": the word used in file names and the index.
QString HistoryKindWord(HistoryKind kind);
// The same as the technician reads it: "From controller", "To controller", "Firmware backup".
QString HistoryKindCaption(HistoryKind kind);

class HistoryStore {
public:
    static constexpr int kMaxImages = 1000;
    static constexpr int kMaxFirmware = 100;
    static constexpr const char *kIndexName = "index.txt";

    // The history folder of this user: "history" in the window's application data folder
    // (Halvern/QuarnTrim under the user's data folder), for every program of the family.
    static QString DefaultFolder();

    explicit HistoryStore(QString folder = DefaultFolder());
    const QString &Folder() const { return m_folder; }

    // Keeps one image. False, with the reason in `error`, when it could not be written; the
    // folder is then as it was.
    bool KeepImage(HistoryKind direction, int comNumber, char productLetter, const QString &banner,
                   const CalImageBytes &bytes, QString *error = nullptr);
    // Keeps an Intel HEX copy of a controller's firmware; `chipLine` names the chip it came from.
    // The file's full path goes to `path`.
    bool KeepFirmware(const QByteArray &hexText, const QString &chipLine, int comNumber, QString *error = nullptr,
                      QString *path = nullptr);

    // Every kept file, newest first. Files the index does not know are listed from their names.
    QList<HistoryEntry> Entries() const;
    QString PathOf(const HistoryEntry &entry) const;
    // Reads a kept image as "&Open" reads a *.joy file; never changes the history.
    bool Load(const HistoryEntry &entry, CalImageBytes &image, QString *error = nullptr) const;

private:
    bool Keep(HistoryEntry entry, const QByteArray &content, QString *error, QString *path);

    QString m_folder;
};
