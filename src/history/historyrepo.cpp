#include "history/historyrepo.h"

#include "history/historyimport.h"
#include "history/historylist.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLockFile>
#include <QThread>

namespace {
const QString LockName = QStringLiteral("quarn.lock");
// How often a waiting writer looks at the lock again: a short, even pause rather than QLockFile's
// own, which doubles up to seconds and lets a writer committing without a break keep the lock.
constexpr int LockLookMs = 20;
}

namespace HistoryRepo {
struct Lock::Impl {
    QLockFile file;
    bool held = false;
    explicit Impl(const QString &path) : file(path) {}
};

Lock::Lock(const QString &folder, int waitMs) : m_impl(new Impl(QDir(folder).filePath(LockName)))
{
    QElapsedTimer waited;
    waited.start();
    while (!(m_impl->held = m_impl->file.tryLock(0)) && m_impl->file.error() == QLockFile::LockFailedError && waited.elapsed() < waitMs)
        QThread::msleep(LockLookMs);
}

Lock::~Lock() { delete m_impl; }
bool Lock::Held() const { return m_impl->held; }

QString Lock::Refusal() const
{
    return m_impl->file.error() == QLockFile::LockFailedError ? QStringLiteral("the history is in use by another program")
                                                             : QStringLiteral("cannot write in the history folder");
}

QString CannotWrite(const QString &folder, const QString &reason)
{
    return QStringLiteral("cannot write %1: %2").arg(QDir::toNativeSeparators(folder), reason);
}

namespace {
bool HasRepository(const QString &folder) { return QFileInfo::exists(QDir(folder).filePath(QStringLiteral("HEAD"))); }

GitRepo OpenExisting(const QString &folder, QString *error)
{
    git_repository *repo = nullptr;
    if (git_repository_open_bare(&repo, QFile::encodeName(folder).constData()) != 0) {
        if (error) *error = Git::Error(QStringLiteral("the history in %1 is damaged").arg(QDir::toNativeSeparators(folder)));
        return {};
    }
    return GitRepo(repo);
}

// Makes the repository, under the lock: two programs starting at once make one between them.
GitRepo Create(const QString &folder, QString *error)
{
    if (!QDir().mkpath(folder)) {
        if (error) *error = QStringLiteral("cannot create the folder %1").arg(QDir::toNativeSeparators(folder));
        return {};
    }
    const Lock lock(folder);
    if (!lock.Held()) {
        if (error) *error = CannotWrite(folder, lock.Refusal());
        return {};
    }
    if (HasRepository(folder)) return OpenExisting(folder, error);
    git_repository_init_options options;
    git_repository_init_options_init(&options, GIT_REPOSITORY_INIT_OPTIONS_VERSION);
    options.flags = GIT_REPOSITORY_INIT_BARE | GIT_REPOSITORY_INIT_MKPATH;
    options.initial_head = "main";
    git_repository *repo = nullptr;
    if (git_repository_init_ext(&repo, QFile::encodeName(folder).constData(), &options) != 0) {
        if (error) *error = CannotWrite(folder, Git::Error(QStringLiteral("cannot start the history")));
        return {};
    }
    return GitRepo(repo);
}
}  // namespace

GitRepo Open(const QString &folder, bool create, QString *error)
{
    Git::Start();
    // An older history in the folder is imported by whichever program opens it first.
    const bool importing = HistoryImport::Pending(folder);
    if (!HasRepository(folder) && !create && !importing) {
        if (error) *error = QStringLiteral("no history in %1").arg(QDir::toNativeSeparators(folder));
        return {};
    }
    GitRepo repo = HasRepository(folder) ? OpenExisting(folder, error) : Create(folder, error);
    if (!repo) return {};
    // A reader lists what is there when the import cannot go on now.
    if (importing && !HistoryImport::Run(repo.get(), folder, error) && create) return {};
    return repo;
}

bool MoveBranch(git_repository *repo, const git_oid *expected, const git_oid &commit, const char *why)
{
    git_reference *ref = nullptr;
    const int fault = expected ? git_reference_create_matching(&ref, repo, Branch, &commit, 1, expected, why)
                               : git_reference_create(&ref, repo, Branch, &commit, 0, why);
    git_reference_free(ref);
    return fault == 0;
}

bool Commit(git_repository *repo, const QString &folder, const QList<Git::FileChange> &changes, HistoryRecord *record,
            QString *error)
{
    const GitCommit parent = Git::BranchTip(repo, Branch);
    git_oid named;
    if (!parent && git_reference_name_to_id(&named, repo, Branch) == 0) {
        if (error) *error = Git::Error(QStringLiteral("the history in %1 is damaged").arg(QDir::toNativeSeparators(folder)));
        return false;
    }
    GitTree parentTree;
    if (parent) {
        git_tree *raw = nullptr;
        if (git_commit_tree(&raw, parent.get()) != 0) {
            if (error) *error = Git::Error(QStringLiteral("the history in %1 is damaged").arg(QDir::toNativeSeparators(folder)));
            return false;
        }
        parentTree.reset(raw);
    }
    git_oid treeId;
    if (!Git::ChangedTree(repo, parentTree.get(), changes, &treeId)) {
        if (error) *error = CannotWrite(folder, Git::Error(QStringLiteral("the files")));
        return false;
    }
    git_tree *tree = nullptr;
    git_signature *who = nullptr;
    const HistoryEntry &e = record->entry;
    const QByteArray name = (e.technician.isEmpty() ? QStringLiteral("technician") : e.technician).toUtf8();
    const QByteArray mail = (HistoryRecords::OneLine(e.technician).remove(QLatin1Char(' ')) + QLatin1Char('@') + e.pc).toUtf8();
    if (git_tree_lookup(&tree, repo, &treeId) != 0 ||
        git_signature_new(&who, name.constData(), mail.constData(), git_time_t(e.time.toSecsSinceEpoch()), 0) != 0) {
        git_tree_free(tree);
        if (error) *error = CannotWrite(folder, Git::Error(QStringLiteral("the commit")));
        return false;
    }
    const GitTree ownedTree(tree);
    const GitSignature ownedWho(who);
    const QByteArray message = HistoryRecords::Message(*record).toUtf8();
    const git_commit *parents[] = {parent.get()};
    git_oid commitId;
    if (git_commit_create(&commitId, repo, nullptr, who, who, "UTF-8", message.constData(), tree, parent ? 1 : 0, parents) != 0) {
        if (error) *error = CannotWrite(folder, Git::Error(QStringLiteral("the commit")));
        return false;
    }
    if (!MoveBranch(repo, parent ? git_commit_id(parent.get()) : nullptr, commitId, "history: keep")) {
        if (error) *error = CannotWrite(folder, Git::Error(QStringLiteral("the branch")));
        return false;
    }
    record->entry.id = Git::IdText(commitId);
    HistoryList::Append(folder, parent ? git_commit_id(parent.get()) : nullptr, commitId, HistoryRecords::ListLine(*record));
    return true;
}
}  // namespace HistoryRepo
