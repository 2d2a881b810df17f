#include "history/historymerge.h"

#include <QSet>

namespace {
const QString UnitsPrefix = QStringLiteral("units/");
const QString VisitFile = QStringLiteral("/visit.txt");
constexpr int UnitDepth = 3;  // units/<fan-out>/<unit>

// What a path belongs to: the unit's folder, or itself for any other file.
QString GroupOf(const QString &path)
{
    if (!path.startsWith(UnitsPrefix)) return path;
    return path.section(QLatin1Char('/'), 0, UnitDepth - 1);
}

using Files = QMap<QString, git_oid>;
using Groups = QMap<QString, Files>;

Groups Grouped(const Files &files)
{
    Groups groups;
    for (auto it = files.cbegin(); it != files.cend(); ++it) groups[GroupOf(it.key())].insert(it.key(), it.value());
    return groups;
}

bool Same(const Files &a, const Files &b)
{
    if (a.size() != b.size()) return false;
    for (auto it = a.cbegin(), jt = b.cbegin(); it != a.cend(); ++it, ++jt)
        if (it.key() != jt.key() || !git_oid_equal(&it.value(), &jt.value())) return false;
    return true;
}

// The line of a unit's latest visit, which starts with its time: the later one sorts after; on equal
// lines, the side whose visit file has the greater id, the same choice on every PC.
QByteArray VisitKey(git_repository *repo, const QString &group, const Files &files)
{
    const auto it = files.constFind(group + VisitFile);
    if (it == files.cend()) return {};
    git_blob *blob = nullptr;
    if (git_blob_lookup(&blob, repo, &it.value()) != 0) return {};
    const GitBlob owned(blob);
    const QByteArray text(static_cast<const char *>(git_blob_rawcontent(blob)), qsizetype(git_blob_rawsize(blob)));
    return text + '\n' + Git::IdText(it.value()).toLatin1();
}
}  // namespace

namespace HistoryMerge {
bool Trees(git_repository *repo, const git_tree *base, const git_tree *ours, const git_tree *theirs, git_oid *merged)
{
    const Groups b = Grouped(Git::Files(repo, base)), o = Grouped(Git::Files(repo, ours)), t = Grouped(Git::Files(repo, theirs));
    QSet<QString> names;
    for (const Groups *side : {&o, &t})
        for (auto it = side->cbegin(); it != side->cend(); ++it) names.insert(it.key());
    QList<Git::FileChange> changes;
    for (const QString &name : names) {
        const Files mine = o.value(name), other = t.value(name), was = b.value(name);
        if (Same(mine, other) || Same(other, was)) continue;
        if (!Same(mine, was) && name.startsWith(UnitsPrefix) && VisitKey(repo, name, mine) > VisitKey(repo, name, other))
            continue;
        // Anything else both sides changed: what this side holds stays (nothing kept is dropped).
        if (!Same(mine, was) && !name.startsWith(UnitsPrefix) && !mine.isEmpty()) continue;
        // Theirs, whole.
        for (auto it = mine.cbegin(); it != mine.cend(); ++it)
            if (!other.contains(it.key())) changes.append({it.key(), {}, true});
        for (auto it = other.cbegin(); it != other.cend(); ++it) {
            Git::FileChange change{it.key(), {}};
            change.byId = true;
            change.id = it.value();
            changes.append(change);
        }
    }
    return Git::ChangedTree(repo, ours, changes, merged);
}
}  // namespace HistoryMerge
