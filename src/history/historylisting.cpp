// The local list read for listing: its lines found, narrowed and put newest first by the few
// columns that decide it, and each read whole only when its row is asked for.
#include "history/historyrecord.h"
#include "history/historystore.h"
#include "history/unitname.h"

#include <algorithm>

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

struct Keyed {
    qsizetype start, size;
    HistoryRecords::ListKey key;
};

bool Newer(const Keyed &a, const Keyed &b)
{
    if (a.key.time != b.key.time) return a.key.time > b.key.time;
    return a.key.id > b.key.id;
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

    QList<Keyed> lines;
    // Takes a line that is an event's (not an assignment's) and passes `wanted`.
    auto take = [&](qsizetype start, qsizetype size, auto wanted) {
        Keyed line{start, size, {}};
        if (HistoryRecords::ListLineKey(text.sliced(start, size), &line.key) && !line.key.assignment && wanted(line)) lines.append(line);
    };
    if (scope == Scope::Unit) {
        const QByteArray path = UnitName::Path(unit).toUtf8();
        ForLinesHolding(text, HistoryRecords::UnitColumn(UnitName::Path(unit)), [&](qsizetype start, qsizetype size) {
            take(start, size, [&](const Keyed &) { return HistoryRecords::ListLineUnitPath(text.sliced(start, size)) == path; });
        });
        const QString key = UnitName::Key(unit);
        for (auto it = m_assigned.cbegin(); it != m_assigned.cend(); ++it) {
            if (UnitName::Key(*it) != key) continue;
            const QByteArray id = it.key();
            ForLinesHolding(text, id + '\t', [&](qsizetype start, qsizetype size) {
                take(start, size, [&](const Keyed &line) { return line.key.id == id; });
            });
        }
    } else {
        const auto wanted = [&](const Keyed &line) {
            return scope == Scope::All || (HistoryRecords::ListLineUnitPath(text.sliced(line.start, line.size)).isEmpty() &&
                                           !m_assigned.contains(line.key.id.toByteArray()));
        };
        for (qsizetype start = 0; start < text.size();) {
            qsizetype end = text.indexOf('\n', start);
            if (end < 0) end = text.size();
            take(start, end - start, wanted);
            start = end + 1;
        }
    }
    std::sort(lines.begin(), lines.end(), Newer);
    m_lines.reserve(lines.size());
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
