#pragma once
// The shop history: every image exchanged with a controller and every firmware replaced is one
// commit in a git repository, the history folder itself (a bare repository), shared with the
// shop's git server. Its tree:
//
//   units/<2 hex>/<unit folder>/image.joy      the unit's latest image, the 256 bytes as exchanged
//                              /settings.txt   that image's settings as show prints them
//                              /name.txt       the unit's name as typed
//                              /visit.txt      time, event, port, technician and PC of the latest visit
//                              /firmware.hex   the latest firmware replaced on the unit
//   unassigned/<yyyy-mm>/<time>_<event>_<port>_<pc>.joy|hex   what was kept with no unit named
//
// The commit message names the event, the unit, the variant, the port, the technician and the
// PC, in a first line and again as trailer lines a program reads back. A local list beside the
// repository (not shared) lets the history be listed without reading every commit.
#include "core/calimage.h"

#include <QByteArray>
#include <QDateTime>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

enum class HistoryKind { Download, Upload, Firmware };

struct HistoryEntry {
    QDateTime time;                 // UTC, to the millisecond
    HistoryKind kind = HistoryKind::Download;
    QString port;                   // as the user named it: "COM7" or a device path
    char productLetter = 0;         // the letter the controller announced itself with; 0 unknown
    QString banner;                 // the controller's banner, or the bootloader's chip line
    QString unit;                   // as typed; empty: unassigned
    QString technician;
    QString pc;
    QString id;                     // the commit that kept it
};

// "download", "upload" or "firmware": the word of commit messages and listings.
QString HistoryKindWord(HistoryKind kind);
// The same as the technician reads it: "From controller", "To controller", "Firmware backup".
QString HistoryKindCaption(HistoryKind kind);

// Kept events as the local list holds them, newest first. A line becomes an entry only when it
// is asked for: a history of a hundred thousand events is listed at the speed of reading one
// file, and a window shows the rows on the screen without reading the others.
class HistoryListing {
public:
    // Which events: every one, those of one unit, or those kept with no unit (and not assigned since).
    enum class Scope { All, Unit, Unassigned };

    HistoryListing() = default;
    // From the local list's text; `unit` names the unit of Scope::Unit, in any case or form.
    HistoryListing(QByteArray content, Scope scope, const QString &unit = {});
    qsizetype Size() const { return m_lines.size(); }
    HistoryEntry At(qsizetype row) const;

private:
    struct Span {
        qsizetype start, size;
    };
    QByteArrayView Line(qsizetype row) const;

    QByteArray m_content;
    QList<Span> m_lines;
    QHash<QByteArray, QString> m_assigned;  // commit -> the unit it was assigned to
};

// Outcome of a sync with the shop's server.
enum class SyncResult { InStep, NoRemote, Unreachable, Failed };

class HistoryStore {
public:
    // The history folder of this user: "history" in the window's application data folder
    // (Halvern/QuarnTrim under the user's data folder), for every program of the family.
    static QString DefaultFolder();
    // The technician named in commits: the setting History/Technician, the system user by default.
    static QString Technician();
    static QString SetTechnician(const QString &name);  // "" when stored, else why not
    // The PC named in commits: the host name.
    static QString PcName();

    explicit HistoryStore(QString folder = DefaultFolder());
    const QString &Folder() const { return m_folder; }

    // Keeps one image as a commit. False, with the reason in `error`, when it could not be kept;
    // the repository is then as it was.
    bool KeepImage(HistoryKind kind, const QString &port, char productLetter, const QString &banner,
                   const CalImageBytes &bytes, const QString &unit, QString *error = nullptr);
    // Keeps an Intel HEX copy of a controller's firmware; `chipLine` names the chip it came from.
    bool KeepFirmware(const QByteArray &hex, const QString &chipLine, const QString &port, const QString &unit,
                      QString *error = nullptr);

    // Every kept event, or those of one unit (whatever the case or form its name is given in),
    // newest first.
    QList<HistoryEntry> Entries(const QString &unit = {}) const;
    // The same as a listing whose rows are read as they are asked for (`unit` for Scope::Unit).
    HistoryListing Listing(HistoryListing::Scope scope, const QString &unit = {}) const;
    // Every unit's name as last typed, sorted.
    QStringList Units() const;
    // The image an entry kept; never changes the history.
    bool Load(const HistoryEntry &entry, CalImageBytes &image, QString *error = nullptr) const;
    bool LoadFirmware(const HistoryEntry &entry, QByteArray &hex, QString *error = nullptr) const;
    // Names the unit of an unassigned entry (a commit of its own); the unit's latest image becomes
    // the entry's when the entry is newer than the one it has.
    bool AssignUnit(const HistoryEntry &unassigned, const QString &unit, QString *error = nullptr);

    // Commits not yet on the shop's server (0 with no server named).
    int NotOnServer() const;
    // The shop's repository ("" when none); setting "" forgets it.
    QString Remote() const;
    bool SetRemote(const QString &url, QString *error);
    // Fetches, merges and pushes; an unreachable server fails within SyncTimeoutMs.
    // `limitMs` bounds each wait for the server (not over SSH with a libgit2 before 1.7).
    SyncResult Sync(QString *error = nullptr, int limitMs = SyncTimeoutMs);
    // Sync, but returns after `waitMs` whatever happened: the sync then goes on on its own and
    // ends with the program. For after a commit and at exit.
    static SyncResult SyncWithin(const QString &folder, int waitMs, QString *error = nullptr);
    // Whether a sync SyncWithin left running is still going on: the program then ends without
    // waiting for it (its commits stay, the next sync finishes the job).
    static bool SyncGoingOn();

    static constexpr int SyncTimeoutMs = 10000;

private:
    QString m_folder;
};
