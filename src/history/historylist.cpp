#include "history/historylist.h"

#include "core/wholefile.h"
#include "history/gitobjects.h"

#include <QDir>
#include <QFile>

namespace {
const QString ListName = QStringLiteral("quarn-list.tsv");
const QString TipName = QStringLiteral("quarn-list.tip");

struct ListTip {
    QString id;        // the commit the list is up to date with
    qint64 size = 0;   // the list's bytes up to there; anything after is an interrupted append
};

ListTip ReadTip(const QString &folder)
{
    QFile file(QDir(folder).filePath(TipName));
    ListTip tip;
    if (!file.open(QIODevice::ReadOnly)) return tip;
    const QList<QByteArray> words = file.readAll().trimmed().split(' ');
    bool ok = false;
    if (words.size() == 2) tip.size = words[1].toLongLong(&ok);
    if (ok) tip.id = QString::fromLatin1(words[0]);
    else tip.size = 0;
    return tip;
}

bool WriteTip(const QString &folder, const git_oid &id, qint64 size)
{
    const QByteArray text = Git::IdText(id).toLatin1() + ' ' + QByteArray::number(size) + '\n';
    return WriteWholeFile(QDir(folder).filePath(TipName), text).isEmpty();
}

QByteArray ReadList(const QString &folder, qint64 size)
{
    QFile file(QDir(folder).filePath(ListName));
    if (size <= 0 || !file.open(QIODevice::ReadOnly)) return {};
    QByteArray content = file.read(size);
    return content.size() == size ? content : QByteArray();
}

// Writes `lines` after the first `size` bytes of the list (dropping what an interrupted append
// left there); false when the list could not be written.
bool WriteAfter(const QString &folder, qint64 size, const QByteArray &lines)
{
    QFile file(QDir(folder).filePath(ListName));
    if (!file.open(QIODevice::ReadWrite) || !file.resize(size) || !file.seek(size)) return false;
    return file.write(lines) == lines.size() && file.flush();
}
}  // namespace

namespace HistoryList {
QByteArray Content(git_repository *repo, const QString &folder, const git_oid *tip, bool mayWrite)
{
    ListTip listed = ReadTip(folder);
    if (!tip) return {};
    if (listed.id == Git::IdText(*tip)) {
        const QByteArray content = ReadList(folder, listed.size);
        if (content.size() == listed.size) return content;
    }
    git_revwalk *raw = nullptr;
    if (git_revwalk_new(&raw, repo) != 0) return {};
    GitWalk walk(raw);
    git_revwalk_push(raw, tip);
    git_oid known;
    QByteArray content;
    if (Git::IdFromText(listed.id, &known) && git_revwalk_hide(raw, &known) == 0) content = ReadList(folder, listed.size);
    if (content.size() != listed.size || content.isEmpty()) {
        // No list, or one the repository does not know: read every commit again.
        walk.reset();
        if (git_revwalk_new(&raw, repo) != 0) return {};
        walk.reset(raw);
        git_revwalk_push(raw, tip);
        content.clear();
        listed.size = 0;
    }
    QByteArray added;
    git_oid id;
    while (git_revwalk_next(&id, raw) == 0) {
        git_commit *commit = nullptr;
        if (git_commit_lookup(&commit, repo, &id) != 0) continue;
        const GitCommit owned(commit);
        HistoryRecord record;
        if (HistoryRecords::FromMessage(Git::IdText(id), git_commit_message(commit), &record))
            added += HistoryRecords::ListLine(record) + '\n';
    }
    if (mayWrite && WriteAfter(folder, listed.size, added)) WriteTip(folder, *tip, listed.size + added.size());
    return content + added;
}

void Append(const QString &folder, const git_oid *parent, const git_oid &commit, const QByteArray &line)
{
    const ListTip listed = ReadTip(folder);
    const bool upToDate = parent ? listed.id == Git::IdText(*parent) : listed.id.isEmpty() && listed.size == 0;
    if (!upToDate) return;
    const QByteArray lines = line + '\n';
    if (WriteAfter(folder, listed.size, lines)) WriteTip(folder, commit, listed.size + lines.size());
}
}  // namespace HistoryList
