#pragma once
// One commit of the history as its message tells it: a first line for people, then trailer lines
// ("Event: download", "Unit: Truck 47", ...) that the listing reads back. Also the line of the
// local list that stands for it.
#include "history/historystore.h"

#include <QByteArray>
#include <QString>

struct HistoryRecord {
    HistoryEntry entry;
    QString event;     // the kind's word, or AssignEvent
    QString file;      // the path in the tree of what was kept
    QString of;        // for an assignment: the commit whose image was assigned
    QString imported;  // for an import: the old history's file name
};

namespace HistoryRecords {
inline const QString AssignEvent = QStringLiteral("assign");

QString Message(const HistoryRecord &record);
// False for a commit that is no event (a merge, a commit made by hand).
bool FromMessage(const QString &id, const char *message, HistoryRecord *record);

// A line of the local list (no line break), and back.
QByteArray ListLine(const HistoryRecord &record);
bool FromListLine(const QByteArray &line, HistoryRecord *record);
// The few columns of a list line a listing orders and narrows by, read without reading the line
// whole: its commit, its time (as text, which sorts as the times do), whether it is an
// assignment, and the unit's place in the tree ("" when kept unassigned). False for a line that
// is no event's.
struct ListKey {
    QByteArrayView id, time;
    bool assignment = false;
};
bool ListLineKey(QByteArrayView line, ListKey *key);
QByteArrayView ListLineUnitPath(QByteArrayView line);
// The column of a list line that holds the unit's place in the tree, framed by tabs, to find a
// unit's lines without reading every line whole.
QByteArray UnitColumn(const QString &unitPath);

// Text that fits on one line of a message or the list: control characters become blanks.
QString OneLine(const QString &text);
bool KindFromWord(const QString &word, HistoryKind *kind);
QString TimeText(const QDateTime &time);
QDateTime TimeFromText(QStringView text);
}  // namespace HistoryRecords
