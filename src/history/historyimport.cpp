#include "history/historyimport.h"

#include "core/usablefile.h"
#include "history/gitobjects.h"
#include "history/historyrepo.h"
#include "history/historystore.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QRegularExpression>
#include <QSet>

#include <algorithm>

namespace {
const QString OldIndexName = QStringLiteral("index.txt");
const QString ImportedFolder = QStringLiteral("unassigned");
constexpr int OldIndexColumns = 6;
constexpr int OldIndexBanner = 4;
constexpr int OldIndexFile = 5;

const QRegularExpression &OldName()
{
    static const QRegularExpression pattern(QStringLiteral(
        R"(^(\d{4})-(\d\d)-(\d\d)_(\d\d)-(\d\d)-(\d\d)\.(\d{3})Z_([a-z]+)_(COM\d+)(?:_([A-Za-z]))?\.(joy|hex)$)"));
    return pattern;
}

QStringList OldFiles(const QString &folder)
{
    QStringList names = QDir(folder).entryList({QStringLiteral("*.joy"), QStringLiteral("*.hex")}, QDir::Files);
    names.erase(std::remove_if(names.begin(), names.end(), [](const QString &n) { return !OldName().match(n).hasMatch(); }), names.end());
    return names;
}

QHash<QString, QString> OldBanners(const QString &folder)
{
    QHash<QString, QString> banners;
    QFile file(QDir(folder).filePath(OldIndexName));
    if (OpenRegularFileForReading(file) != RegularOpen::Opened) return banners;
    for (const QByteArray &line : file.readAll().split('\n')) {
        const QList<QByteArray> fields = line.split('\t');
        if (!line.startsWith('#') && fields.size() == OldIndexColumns)
            banners.insert(QString::fromUtf8(fields[OldIndexFile]), QString::fromUtf8(fields[OldIndexBanner]));
    }
    return banners;
}

// The old files the branch already holds a commit of.
QSet<QString> AlreadyImported(git_repository *repo)
{
    QSet<QString> names;
    git_revwalk *raw = nullptr;
    if (git_revwalk_new(&raw, repo) != 0) return names;
    const GitWalk walk(raw);
    if (git_revwalk_push_ref(raw, HistoryRepo::Branch) != 0) return names;
    git_oid id;
    while (git_revwalk_next(&id, raw) == 0) {
        git_commit *commit = nullptr;
        if (git_commit_lookup(&commit, repo, &id) != 0) continue;
        HistoryRecord record;
        if (HistoryRecords::FromMessage(Git::IdText(id), git_commit_message(commit), &record) && !record.imported.isEmpty())
            names.insert(record.imported);
        git_commit_free(commit);
    }
    return names;
}
}  // namespace

namespace HistoryImport {
bool Pending(const QString &folder)
{
    return QFile::exists(QDir(folder).filePath(OldIndexName)) || !OldFiles(folder).isEmpty();
}

bool Run(git_repository *repo, const QString &folder, QString *error)
{
    const HistoryRepo::Lock lock(folder);
    if (!lock.Held()) {
        if (error) *error = HistoryRepo::CannotWrite(folder, lock.Refusal());
        return false;
    }
    if (!Pending(folder)) return true;  // another program finished it meanwhile
    const QHash<QString, QString> banners = OldBanners(folder);
    const QSet<QString> done = AlreadyImported(repo);
    QStringList names = OldFiles(folder);
    std::sort(names.begin(), names.end());  // the names start with the time: oldest first
    QDir dir(folder);
    QStringList landed;
    for (const QString &name : names) {
        if (done.contains(name)) {
            landed << name;
            continue;
        }
        const QRegularExpressionMatch m = OldName().match(name);
        auto number = [&m](int n) { return m.captured(n).toInt(); };
        HistoryRecord r;
        HistoryEntry &e = r.entry;
        e.time = QDateTime(QDate(number(1), number(2), number(3)), QTime(number(4), number(5), number(6), number(7)), Qt::UTC);
        if (!e.time.isValid() || !HistoryRecords::KindFromWord(m.captured(8), &e.kind)) continue;
        e.port = m.captured(9);
        e.productLetter = m.captured(10).isEmpty() ? 0 : m.captured(10).at(0).toLatin1();
        e.banner = HistoryRecords::OneLine(banners.value(name));
        e.technician = HistoryStore::Technician();
        e.pc = HistoryStore::PcName();
        r.event = HistoryKindWord(e.kind);
        r.imported = name;
        r.file = ImportedFolder + QLatin1Char('/') + e.time.toString(QStringLiteral("yyyy-MM")) + QLatin1Char('/') + name;
        QFile file(dir.filePath(name));
        if (OpenRegularFileForReading(file) != RegularOpen::Opened) continue;
        if (!HistoryRepo::Commit(repo, folder, {{r.file, file.readAll()}}, &r, error)) return false;
        landed << name;
    }
    // The files that have their commit go; the index once nothing it names is left.
    for (const QString &name : landed) dir.remove(name);
    if (OldFiles(folder).isEmpty()) dir.remove(OldIndexName);
    return true;
}
}  // namespace HistoryImport
