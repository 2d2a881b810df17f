#include "history/historyrecord.h"

#include "history/unitname.h"

#include <git2.h>

#include <QList>

namespace {
struct KindName {
    HistoryKind kind;
    const char *word;
    const char *caption;
};
constexpr KindName KindNames[] = {
    {HistoryKind::Download, "download", "From controller"},
    {HistoryKind::Upload, "upload", "To controller"},
    {HistoryKind::Firmware, "firmware", "Firmware backup"},
};

const KindName &NameOf(HistoryKind kind)
{
    for (const KindName &k : KindNames)
        if (k.kind == kind) return k;
    return KindNames[0];
}

// The trailer keys, in the order a message lists them.
const char *const EventKey = "Event";
const char *const UnitKey = "Unit";
const char *const VariantKey = "Variant";
const char *const BannerKey = "Banner";
const char *const PortKey = "Port";
const char *const TechnicianKey = "Technician";
const char *const PcKey = "PC";
const char *const TimeKey = "Time";
const char *const FileKey = "File";
const char *const OfKey = "Of";
const char *const ImportedKey = "Imported";

const QString TimeFormat = QStringLiteral("yyyy-MM-dd'T'HH:mm:ss.zzz'Z'");
constexpr int TimeTextLength = 24;  // "2026-12-09T21:00:00.123Z"
constexpr char Tab = '\t';
enum Column { IdColumn, TimeColumn, EventColumn, PortColumn, VariantColumn, UnitColumnIndex, UnitPathColumn,
              TechnicianColumn, PcColumn, BannerColumn, FileColumn, OfColumn, ColumnCount };
}  // namespace

QString HistoryKindWord(HistoryKind kind) { return QLatin1String(NameOf(kind).word); }
QString HistoryKindCaption(HistoryKind kind) { return QLatin1String(NameOf(kind).caption); }

namespace HistoryRecords {
QString OneLine(const QString &text)
{
    QString line = text;
    for (QChar &c : line)
        if (c.category() == QChar::Other_Control || c == QChar::LineSeparator || c == QChar::ParagraphSeparator)
            c = QLatin1Char(' ');
    return line.trimmed();
}

bool KindFromWord(const QString &word, HistoryKind *kind)
{
    for (const KindName &k : KindNames)
        if (word == QLatin1String(k.word)) {
            *kind = k.kind;
            return true;
        }
    return false;
}

QString TimeText(const QDateTime &time) { return time.toUTC().toString(TimeFormat); }

QDateTime TimeFromText(QStringView t)
{
    // Read by position: the format parser of QDateTime would dominate the listing of a long history.
    if (t.size() != TimeTextLength) return {};
    auto number = [t](int from, int size) { return t.mid(from, size).toInt(); };
    return QDateTime(QDate(number(0, 4), number(5, 2), number(8, 2)),
                     QTime(number(11, 2), number(14, 2), number(17, 2), number(20, 3)), Qt::UTC);
}

QString Message(const HistoryRecord &r)
{
    const HistoryEntry &e = r.entry;
    const QString variant = e.productLetter ? QString(QLatin1Char(e.productLetter)) : QString();
    QStringList summary{r.event == AssignEvent ? QStringLiteral("assigned to %1").arg(e.unit)
                                                : (e.unit.isEmpty() ? QStringLiteral("no unit") : e.unit)};
    if (!variant.isEmpty()) summary << QStringLiteral("variant ") + variant;
    if (!e.port.isEmpty()) summary << e.port;
    summary << QStringLiteral("%1 at %2").arg(e.technician, e.pc);
    QString text = r.event + QStringLiteral(": ") + OneLine(summary.join(QStringLiteral(", "))) + QStringLiteral("\n\n");
    const QList<std::pair<const char *, QString>> trailers{
        {EventKey, r.event}, {UnitKey, e.unit}, {VariantKey, variant}, {BannerKey, e.banner}, {PortKey, e.port},
        {TechnicianKey, e.technician}, {PcKey, e.pc}, {TimeKey, TimeText(e.time)}, {FileKey, r.file},
        {OfKey, r.of}, {ImportedKey, r.imported}};
    for (const auto &[key, value] : trailers) {
        const QString line = OneLine(value);
        if (!line.isEmpty()) text += QLatin1String(key) + QStringLiteral(": ") + line + QLatin1Char('\n');
    }
    return text;
}

bool FromMessage(const QString &id, const char *message, HistoryRecord *record)
{
    git_message_trailer_array trailers{};
    if (git_message_trailers(&trailers, message) != 0) return false;
    HistoryRecord r;
    r.entry.id = id;
    for (size_t i = 0; i < trailers.count; ++i) {
        const QByteArray key = trailers.trailers[i].key;
        const QString value = QString::fromUtf8(trailers.trailers[i].value).trimmed();
        if (key == EventKey) r.event = value;
        else if (key == UnitKey) r.entry.unit = value;
        else if (key == VariantKey) r.entry.productLetter = value.size() == 1 ? value[0].toLatin1() : 0;
        else if (key == BannerKey) r.entry.banner = value;
        else if (key == PortKey) r.entry.port = value;
        else if (key == TechnicianKey) r.entry.technician = value;
        else if (key == PcKey) r.entry.pc = value;
        else if (key == TimeKey) r.entry.time = TimeFromText(value);
        else if (key == FileKey) r.file = value;
        else if (key == OfKey) r.of = value;
        else if (key == ImportedKey) r.imported = value;
    }
    git_message_trailer_array_free(&trailers);
    const bool known = r.event == AssignEvent ? !r.of.isEmpty() && !r.entry.unit.isEmpty() : KindFromWord(r.event, &r.entry.kind);
    if (!known || !r.entry.time.isValid()) return false;
    *record = r;
    return true;
}

QByteArray UnitColumn(const QString &unitPath) { return Tab + unitPath.toUtf8() + Tab; }

namespace {
// Column `index` of a list line; empty when the line has fewer.
QByteArrayView ListColumn(QByteArrayView line, int index)
{
    qsizetype start = 0;
    for (int c = 0; c < index; ++c) {
        const qsizetype tab = line.indexOf(Tab, start);
        if (tab < 0) return {};
        start = tab + 1;
    }
    const qsizetype end = line.indexOf(Tab, start);
    return line.sliced(start, (end < 0 ? line.size() : end) - start);
}
}  // namespace

bool ListLineKey(QByteArrayView line, ListKey *key)
{
    // The commit's id and the time have fixed widths: the event starts at a known place.
    static_assert(IdColumn == 0 && TimeColumn == 1 && EventColumn == 2);
    constexpr qsizetype TimeStart = GIT_OID_HEXSZ + 1, EventStart = TimeStart + TimeTextLength + 1;
    if (line.size() <= EventStart || line[GIT_OID_HEXSZ] != Tab || line[EventStart - 1] != Tab) return false;
    key->id = line.first(GIT_OID_HEXSZ);
    key->time = line.sliced(TimeStart, TimeTextLength);
    static const QByteArray assign = AssignEvent.toLatin1() + Tab;
    key->assignment = line.sliced(EventStart).startsWith(assign);
    return true;
}

QByteArrayView ListLineUnitPath(QByteArrayView line) { return ListColumn(line, UnitPathColumn); }

QByteArray ListLine(const HistoryRecord &r)
{
    const HistoryEntry &e = r.entry;
    QStringList columns(ColumnCount);
    columns[IdColumn] = e.id;
    columns[TimeColumn] = TimeText(e.time);
    columns[EventColumn] = r.event;
    columns[PortColumn] = e.port;
    columns[VariantColumn] = e.productLetter ? QString(QLatin1Char(e.productLetter)) : QString();
    columns[UnitColumnIndex] = e.unit;
    columns[UnitPathColumn] = e.unit.isEmpty() ? QString() : UnitName::Path(e.unit);
    columns[TechnicianColumn] = e.technician;
    columns[PcColumn] = e.pc;
    columns[BannerColumn] = e.banner;
    columns[FileColumn] = r.file;
    columns[OfColumn] = r.of;
    for (QString &c : columns) c = OneLine(c);
    return columns.join(QLatin1Char(Tab)).toUtf8();
}

bool FromListLine(const QByteArray &line, HistoryRecord *r)
{
    const QList<QByteArray> c = line.split(Tab);
    if (c.size() != ColumnCount) return false;
    HistoryEntry &e = r->entry;
    e.id = QString::fromLatin1(c[IdColumn]);
    e.time = TimeFromText(QString::fromLatin1(c[TimeColumn]));
    r->event = QString::fromUtf8(c[EventColumn]);
    e.port = QString::fromUtf8(c[PortColumn]);
    e.productLetter = c[VariantColumn].size() == 1 ? c[VariantColumn][0] : 0;
    e.unit = QString::fromUtf8(c[UnitColumnIndex]);
    e.technician = QString::fromUtf8(c[TechnicianColumn]);
    e.pc = QString::fromUtf8(c[PcColumn]);
    e.banner = QString::fromUtf8(c[BannerColumn]);
    r->file = QString::fromUtf8(c[FileColumn]);
    r->of = QString::fromLatin1(c[OfColumn]);
    if (r->event != AssignEvent && !KindFromWord(r->event, &e.kind)) return false;
    return e.time.isValid();
}
}  // namespace HistoryRecords
