#pragma once
// Opening the history's repository (creating it, and importing an older history folder, on first
// use) and making one commit on its branch under the lock every writer of the folder shares.
#include "history/gitobjects.h"
#include "history/historyrecord.h"

#include <QString>

namespace HistoryRepo {
inline constexpr const char *Branch = "refs/heads/main";
inline constexpr const char *RemoteName = "shop";
inline constexpr const char *RemoteBranch = "refs/remotes/shop/main";
// How long a writer waits for another program writing the history at the same moment.
inline constexpr int LockWaitMs = 10000;

// The repository in `folder`; with `create`, made there when there is none (an older history's
// files in the folder are imported). Null, with one line in `error`, when it cannot be opened.
GitRepo Open(const QString &folder, bool create, QString *error);

// The history's lock, held while the branch or the local list is written.
class Lock {
public:
    explicit Lock(const QString &folder, int waitMs = LockWaitMs);
    ~Lock();
    bool Held() const;
    QString Refusal() const;  // why it is not held
private:
    struct Impl;
    Impl *m_impl;
};

// Commits `changes` on top of the branch with `record`'s message (the record's id is set), and
// brings the local list up with it. The caller holds the lock.
bool Commit(git_repository *repo, const QString &folder, const QList<Git::FileChange> &changes, HistoryRecord *record,
            QString *error);
// Moves the branch from `expected` (null: unborn) to `commit`; false when it moved meanwhile.
bool MoveBranch(git_repository *repo, const git_oid *expected, const git_oid &commit, const char *why);
QString CannotWrite(const QString &folder, const QString &reason);
}  // namespace HistoryRepo
