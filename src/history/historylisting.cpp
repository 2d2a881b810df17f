// The local list read for listing: its lines found, narrowed and put newest first by the few
// columns that decide it, and each read whole only when its row is asked for.
#include "history/historyrecord.h"
#include "history/historystore.h"
#include "history/unitname.h"

#include <algorithm>
#include <array>
#include <vector>

namespace {
// The lines of `content` that hold `word`, each once: a unit's lines are found at the speed of a
// text search, however long the history.
template <class Found>
void ForLinesHolding(QByteArrayView content, QByteArrayView word, Found found)
{
    qsizetype lineEnd = -1;
    for (qsizetype at = content.indexOf(word); at >= 0; at = content.indexOf(word, std::max(at + 1, lineEnd))) {
        const qsizetype start = at == 0 ? 0 : content.lastIndexOf('\n', at - 1) + 1;
        lineEnd = content.indexOf('\n', at);
        if (lineEnd < 0) lineEnd = content.size();
        found(start, lineEnd - start);
    }
}

// The first eight bytes of `text` from `at` as one number that orders as the bytes do (missing
// bytes count as zero).
quint64 Leading(QByteArrayView text, qsizetype at)
{
    quint64 word = 0;
    for (qsizetype i = at; i < at + 8; ++i) word = (word << 8) | (i < text.size() ? uint8_t(text[i]) : 0u);
    return word;
}

// A line and the columns that put it in order, the time whole and the commit's id by its first
// bytes, held beside the line: sorting a long history compares these and does not go back to
// lines spread over the whole list (which made listing it slow).
struct Keyed {
    qsizetype start, size;
    std::array<quint64, 3> time;  // the time's 24 characters
    quint64 id;                   // the id's first 8 characters

    Keyed(qsizetype s, qsizetype n, const HistoryRecords::ListKey &key)
        : start(s), size(n), time{Leading(key.time, 0), Leading(key.time, 8), Leading(key.time, 16)}, id(Leading(key.id, 0))
    {
        static_assert(sizeof time == 24, "the time text is 24 characters");
    }
};

// Newest first; the same time in the order of the commits' ids, read whole when their first
// bytes agree.
bool Newer(QByteArrayView text, const Keyed &a, const Keyed &b)
{
    if (a.time != b.time) return a.time > b.time;
    if (a.id != b.id) return a.id > b.id;
    HistoryRecords::ListKey ka, kb;
    HistoryRecords::ListLineKey(text.sliced(a.start, a.size), &ka);
    HistoryRecords::ListLineKey(text.sliced(b.start, b.size), &kb);
    return ka.id > kb.id;
}
}  // namespace

HistoryListing::HistoryListing(QByteArray content, Scope scope, const QString &unit) : m_content(std::move(content))
{
    const QByteArrayView text(m_content);
    // Entries kept unassigned and assigned since: the assignment names the entry's commit.
    const QByteArray assignColumn = '\t' + HistoryRecords::AssignEvent.toUtf8() + '\t';
    ForLinesHolding(text, assignColumn, [&](qsizetype start, qsizetype size) {
        HistoryRecord r;
        if (HistoryRecords::FromListLine(text.sliced(start, size).toByteArray(), &r) && r.event == HistoryRecords::AssignEvent)
            m_assigned.insert(r.of.toLatin1(), r.entry.unit);
    });

    std::vector<Keyed> lines;
    // Takes a line that is an event's (not an assignment's) and passes `wanted`.
    auto take = [&](qsizetype start, qsizetype size, auto wanted) {
        HistoryRecords::ListKey key;
        if (HistoryRecords::ListLineKey(text.sliced(start, size), &key) && !key.assignment && wanted(start, size, key))
            lines.emplace_back(start, size, key);
    };
    if (scope == Scope::Unit) {
        const QByteArray path = UnitName::Path(unit).toUtf8();
        ForLinesHolding(text, HistoryRecords::UnitColumn(UnitName::Path(unit)), [&](qsizetype start, qsizetype size) {
            take(start, size, [&](qsizetype, qsizetype, const HistoryRecords::ListKey &) {
                return HistoryRecords::ListLineUnitPath(text.sliced(start, size)) == path;
            });
        });
        const QString key = UnitName::Key(unit);
        for (auto it = m_assigned.cbegin(); it != m_assigned.cend(); ++it) {
            if (UnitName::Key(*it) != key) continue;
            const QByteArray id = it.key();
            ForLinesHolding(text, id + '\t', [&](qsizetype start, qsizetype size) {
                take(start, size, [&](qsizetype, qsizetype, const HistoryRecords::ListKey &k) { return k.id == id; });
            });
        }
    } else {
        const auto wanted = [&](qsizetype start, qsizetype size, const HistoryRecords::ListKey &key) {
            return scope == Scope::All || (HistoryRecords::ListLineUnitPath(text.sliced(start, size)).isEmpty() &&
                                           !m_assigned.contains(key.id.toByteArray()));
        };
        // A line of the list is about 200 bytes: room for them all at once.
        lines.reserve(size_t(text.size() / 128 + 1));
        for (qsizetype start = 0; start < text.size();) {
            qsizetype end = text.indexOf('\n', start);
            if (end < 0) end = text.size();
            take(start, end - start, wanted);
            start = end + 1;
        }
    }
    std::sort(lines.begin(), lines.end(), [text](const Keyed &a, const Keyed &b) { return Newer(text, a, b); });
    m_lines.reserve(qsizetype(lines.size()));
    for (const Keyed &line : lines) m_lines.append({line.start, line.size});
}

QByteArrayView HistoryListing::Line(qsizetype row) const { return QByteArrayView(m_content).sliced(m_lines[row].start, m_lines[row].size); }

HistoryEntry HistoryListing::At(qsizetype row) const
{
    HistoryRecord r;
    HistoryRecords::FromListLine(Line(row).toByteArray(), &r);
    if (const auto to = m_assigned.constFind(r.entry.id.toLatin1()); to != m_assigned.cend()) r.entry.unit = *to;
    return r.entry;
}
