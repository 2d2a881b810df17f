#include "history/gitobjects.h"

#include <mutex>

namespace Git {
void Start()
{
    static std::once_flag once;
    std::call_once(once, [] { git_libgit2_init(); });
}

QString Error(const QString &what)
{
    const git_error *e = git_error_last();
    const QString reason = e && e->message ? QString::fromUtf8(e->message).trimmed() : QStringLiteral("unknown error");
    return what + QStringLiteral(": ") + reason;
}

QString IdText(const git_oid &id)
{
    char text[GIT_OID_HEXSZ + 1];
    git_oid_tostr(text, sizeof text, &id);
    return QString::fromLatin1(text);
}

bool IdFromText(const QString &text, git_oid *id)
{
    const QByteArray hex = text.toLatin1();
    return hex.size() == GIT_OID_HEXSZ && git_oid_fromstrn(id, hex.constData(), size_t(hex.size())) == 0;
}

GitCommit BranchTip(git_repository *repo, const char *refName)
{
    git_oid id;
    if (git_reference_name_to_id(&id, repo, refName) != 0) return {};
    git_commit *commit = nullptr;
    if (git_commit_lookup(&commit, repo, &id) != 0) return {};
    return GitCommit(commit);
}

bool ReadPath(git_repository *repo, const git_tree *tree, const QString &path, QByteArray *content)
{
    git_tree_entry *raw = nullptr;
    if (!tree || git_tree_entry_bypath(&raw, tree, path.toUtf8().constData()) != 0) return false;
    const GitTreeEntry entry(raw);
    git_blob *blob = nullptr;
    if (git_tree_entry_type(entry.get()) != GIT_OBJECT_BLOB || git_blob_lookup(&blob, repo, git_tree_entry_id(entry.get())) != 0)
        return false;
    const GitBlob owned(blob);
    *content = QByteArray(static_cast<const char *>(git_blob_rawcontent(blob)), qsizetype(git_blob_rawsize(blob)));
    return true;
}

QMap<QString, git_oid> Files(git_repository *, const git_tree *tree)
{
    QMap<QString, git_oid> files;
    if (!tree) return files;
    auto visit = [](const char *root, const git_tree_entry *entry, void *payload) -> int {
        if (git_tree_entry_type(entry) != GIT_OBJECT_BLOB) return 0;
        auto *map = static_cast<QMap<QString, git_oid> *>(payload);
        map->insert(QString::fromUtf8(root) + QString::fromUtf8(git_tree_entry_name(entry)), *git_tree_entry_id(entry));
        return 0;
    };
    git_tree_walk(const_cast<git_tree *>(tree), GIT_TREEWALK_PRE, visit, &files);
    return files;
}

bool ChangedTree(git_repository *repo, const git_tree *base, const QList<FileChange> &changes, git_oid *tree)
{
    GitTree empty;
    if (!base) {
        git_treebuilder *builder = nullptr;
        git_oid emptyId;
        if (git_treebuilder_new(&builder, repo, nullptr) != 0) return false;
        const int fault = git_treebuilder_write(&emptyId, builder);
        git_treebuilder_free(builder);
        git_tree *raw = nullptr;
        if (fault != 0 || git_tree_lookup(&raw, repo, &emptyId) != 0) return false;
        empty.reset(raw);
        base = raw;
    }
    QList<QByteArray> paths;
    QList<git_tree_update> updates;
    paths.reserve(changes.size());
    for (const FileChange &change : changes) {
        git_tree_update update{};
        paths.append(change.path.toUtf8());
        update.path = paths.last().constData();
        if (change.remove) {
            // Removing what is not there is no change.
            git_tree_entry *raw = nullptr;
            if (git_tree_entry_bypath(&raw, base, update.path) != 0) continue;
            git_tree_entry_free(raw);
            update.action = GIT_TREE_UPDATE_REMOVE;
        } else {
            update.action = GIT_TREE_UPDATE_UPSERT;
            update.filemode = GIT_FILEMODE_BLOB;
            if (change.byId)
                update.id = change.id;
            else if (git_blob_create_from_buffer(&update.id, repo, change.content.constData(), size_t(change.content.size())) != 0)
                return false;
        }
        updates.append(update);
    }
    return git_tree_create_updated(tree, repo, const_cast<git_tree *>(base), size_t(updates.size()), updates.constData()) == 0;
}
}  // namespace Git
