#pragma once
// Owning handles for libgit2's objects, and the few steps of the history that speak libgit2 on
// several sides: the last error as text, blob and tree reading, a tree changed at some paths.
#include <git2.h>

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QString>

#include <memory>

template <class T, void (*Free)(T *)>
struct GitFree {
    void operator()(T *p) const { Free(p); }
};
template <class T, void (*Free)(T *)>
using GitPtr = std::unique_ptr<T, GitFree<T, Free>>;

using GitRepo = GitPtr<git_repository, git_repository_free>;
using GitCommit = GitPtr<git_commit, git_commit_free>;
using GitTree = GitPtr<git_tree, git_tree_free>;
using GitBlob = GitPtr<git_blob, git_blob_free>;
using GitRef = GitPtr<git_reference, git_reference_free>;
using GitRemote = GitPtr<git_remote, git_remote_free>;
using GitWalk = GitPtr<git_revwalk, git_revwalk_free>;
using GitSignature = GitPtr<git_signature, git_signature_free>;
using GitConfig = GitPtr<git_config, git_config_free>;
using GitTreeEntry = GitPtr<git_tree_entry, git_tree_entry_free>;

namespace Git {
// Starts libgit2 once for the process.
void Start();
// libgit2's last error in one line, after `what`.
QString Error(const QString &what);
QString IdText(const git_oid &id);
bool IdFromText(const QString &text, git_oid *id);

// The commit a branch points at; null when the branch does not exist yet.
GitCommit BranchTip(git_repository *repo, const char *refName);
// The content of the blob at `path` in `tree`; false when there is none.
bool ReadPath(git_repository *repo, const git_tree *tree, const QString &path, QByteArray *content);
// Every blob under `tree`, by path, with its id.
QMap<QString, git_oid> Files(git_repository *repo, const git_tree *tree);

// A change of one file in a tree: `content` written as a blob, or the file removed.
struct FileChange {
    QString path;
    QByteArray content;
    bool remove = false;
    bool byId = false;  // take `id` as the blob instead of writing `content`
    git_oid id{};
};
// A new tree: `base` (may be null: an empty tree) with `changes`; false with libgit2's error.
bool ChangedTree(git_repository *repo, const git_tree *base, const QList<FileChange> &changes, git_oid *tree);
}  // namespace Git
