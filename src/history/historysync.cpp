// The history and the shop's server: the remote's address, fetch, merge and push.
#include "history/historystore.h"

#include "history/boundedsocket.h"
#include "history/historylist.h"
#include "history/historymerge.h"
#include "history/historyrepo.h"

#include <QDir>
#include <QThread>
#include <QUrl>

#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>

namespace {
// A token for https remotes comes from here, only ever in the credential callback.
const char *const TokenVariable = "QUARN_HISTORY_TOKEN";
const char *const TokenUser = "quarn";
// Which branch goes where: the server's main is kept here as shop/main, and ours goes to its main.
const char *const FetchMapping = "+refs/heads/main:refs/remotes/shop/main";
const char *const PushMapping = "refs/heads/main:refs/heads/main";
const char *const SshKeys[] = {"id_ed25519", "id_ecdsa", "id_rsa"};
constexpr int PushAttempts = 3;
constexpr int CredentialAttempts = 1 + int(std::size(SshKeys));

std::atomic<int> RunningSyncs{0};

void SetError(QString *error, const QString &text)
{
    if (error) *error = text;
}

struct Payload {
    int attempts = 0;
    QString rejection;  // a ref the server refused, with its reason
    QString untrusted;  // why the server itself was not trusted
};

int Credentials(git_credential **out, const char *, const char *user, unsigned int allowed, void *data)
{
    auto *payload = static_cast<Payload *>(data);
    const int attempt = payload->attempts++;
    if (attempt >= CredentialAttempts) return GIT_EUSER;
    const QByteArray login = user ? QByteArray(user) : qgetenv("USER");
    if (allowed & GIT_CREDENTIAL_SSH_KEY) {
        if (attempt == 0) return git_credential_ssh_key_from_agent(out, login.constData());
        const QString key = QDir::home().filePath(QStringLiteral(".ssh/") + QLatin1String(SshKeys[attempt - 1]));
        if (!QFile::exists(key)) return GIT_PASSTHROUGH;
        const QByteArray priv = QFile::encodeName(key), pub = QFile::encodeName(key + QStringLiteral(".pub"));
        return git_credential_ssh_key_new(out, login.constData(), QFile::exists(key + QStringLiteral(".pub")) ? pub.constData() : nullptr,
                                          priv.constData(), nullptr);
    }
    if ((allowed & GIT_CREDENTIAL_USERPASS_PLAINTEXT) && attempt == 0) {
        const QByteArray token = qgetenv(TokenVariable);
        if (token.isEmpty()) return GIT_PASSTHROUGH;
        return git_credential_userpass_plaintext_new(out, user ? user : TokenUser, token.constData());
    }
    if (allowed & GIT_CREDENTIAL_USERNAME) return git_credential_username_new(out, login.constData());
    return GIT_PASSTHROUGH;
}

// libgit2 has checked the server's certificate (https) or host key (ssh, against the user's
// known_hosts); a server it could not trust is refused, in one line naming what to do.
int CertificateCheck(git_cert *cert, int valid, const char *host, void *data)
{
    if (valid) return 0;
    const QString server = QString::fromUtf8(host);
    static_cast<Payload *>(data)->untrusted =
        cert->cert_type == GIT_CERT_X509
            ? QStringLiteral("the certificate of %1 is not valid: the history is not sent to a server that cannot prove who it is").arg(server)
            : QStringLiteral("the host key of %1 is not in ~/.ssh/known_hosts: connect once with ssh to trust it").arg(server);
    return GIT_ECERTIFICATE;
}

int PushStatus(const char *ref, const char *status, void *data)
{
    if (status) static_cast<Payload *>(data)->rejection = QString::fromUtf8(ref) + QStringLiteral(": ") + QString::fromUtf8(status);
    return 0;
}

git_remote_callbacks Callbacks(Payload *payload)
{
    git_remote_callbacks callbacks;
    git_remote_init_callbacks(&callbacks, GIT_REMOTE_CALLBACKS_VERSION);
    callbacks.credentials = Credentials;
    callbacks.certificate_check = CertificateCheck;
    callbacks.push_update_reference = PushStatus;
    callbacks.payload = payload;
    return callbacks;
}

void BoundNetworkWaits([[maybe_unused]] int limitMs)
{
#if LIBGIT2_VER_MAJOR > 1 || (LIBGIT2_VER_MAJOR == 1 && LIBGIT2_VER_MINOR >= 7)
    git_libgit2_opts(GIT_OPT_SET_SERVER_CONNECT_TIMEOUT, limitMs);
    git_libgit2_opts(GIT_OPT_SET_SERVER_TIMEOUT, limitMs);
#endif
}

GitRemote ShopRemote(git_repository *repo)
{
    git_remote *remote = nullptr;
    if (git_remote_lookup(&remote, repo, HistoryRepo::RemoteName) != 0) return {};
    return GitRemote(remote);
}

bool Fetch(git_remote *remote, QString *error)
{
    Payload payload;
    git_fetch_options options;
    git_fetch_options_init(&options, GIT_FETCH_OPTIONS_VERSION);
    options.callbacks = Callbacks(&payload);
    options.download_tags = GIT_REMOTE_DOWNLOAD_TAGS_NONE;
    char *mapping[] = {const_cast<char *>(FetchMapping)};
    const git_strarray branches{mapping, 1};
    if (git_remote_fetch(remote, &branches, &options, "history: fetch") == 0) return true;
    SetError(error, payload.untrusted.isEmpty() ? Git::Error(QStringLiteral("the server cannot be reached")) : payload.untrusted);
    return false;
}

// Brings the branch up with what was fetched: nothing to do, a fast-forward, or a merge commit.
bool MergeFetched(git_repository *repo, const QString &folder, QString *error)
{
    const HistoryRepo::Lock lock(folder);
    if (!lock.Held()) return SetError(error, HistoryRepo::CannotWrite(folder, lock.Refusal())), false;
    const GitCommit theirs = Git::BranchTip(repo, HistoryRepo::RemoteBranch);
    const GitCommit ours = Git::BranchTip(repo, HistoryRepo::Branch);
    if (!theirs) return true;
    const git_oid *theirId = git_commit_id(theirs.get());
    if (!ours) return HistoryRepo::MoveBranch(repo, nullptr, *theirId, "history: first fetch");
    const git_oid *ourId = git_commit_id(ours.get());
    if (git_oid_equal(ourId, theirId) || git_graph_descendant_of(repo, ourId, theirId) == 1) return true;
    if (git_graph_descendant_of(repo, theirId, ourId) == 1) return HistoryRepo::MoveBranch(repo, ourId, *theirId, "history: fast-forward");

    git_oid baseId, treeId, mergeId;
    GitCommit base;
    if (git_merge_base(&baseId, repo, ourId, theirId) == 0) {
        git_commit *raw = nullptr;
        if (git_commit_lookup(&raw, repo, &baseId) == 0) base.reset(raw);
    }
    git_tree *baseTree = nullptr, *ourTree = nullptr, *theirTree = nullptr;
    if (base) git_commit_tree(&baseTree, base.get());
    const GitTree b(baseTree);
    git_commit_tree(&ourTree, ours.get());
    const GitTree o(ourTree);
    git_commit_tree(&theirTree, theirs.get());
    const GitTree t(theirTree);
    git_tree *merged = nullptr;
    git_signature *who = nullptr;
    const QByteArray name = HistoryStore::Technician().toUtf8(), mail = (HistoryStore::Technician() + QLatin1Char('@') + HistoryStore::PcName()).toUtf8();
    if (!o || !t || !HistoryMerge::Trees(repo, baseTree, ourTree, theirTree, &treeId) || git_tree_lookup(&merged, repo, &treeId) != 0 ||
        git_signature_now(&who, name.constData(), mail.constData()) != 0) {
        git_tree_free(merged);
        return SetError(error, HistoryRepo::CannotWrite(folder, Git::Error(QStringLiteral("the merge")))), false;
    }
    const GitTree m(merged);
    const GitSignature w(who);
    const git_commit *parents[] = {ours.get(), theirs.get()};
    const QByteArray message = QStringLiteral("merge: this PC's history and the shop's, by %1 at %2\n")
                                   .arg(HistoryStore::Technician(), HistoryStore::PcName()).toUtf8();
    if (git_commit_create(&mergeId, repo, nullptr, who, who, "UTF-8", message.constData(), merged, 2, parents) != 0 ||
        !HistoryRepo::MoveBranch(repo, ourId, mergeId, "history: merge"))
        return SetError(error, HistoryRepo::CannotWrite(folder, Git::Error(QStringLiteral("the merge")))), false;
    return true;
}

// True when the server took the branch; `rejected` when it refused it (it moved meanwhile).
bool Push(git_remote *remote, bool *rejected, QString *error)
{
    Payload payload;
    git_push_options options;
    git_push_options_init(&options, GIT_PUSH_OPTIONS_VERSION);
    options.callbacks = Callbacks(&payload);
    char *mapping[] = {const_cast<char *>(PushMapping)};
    const git_strarray branches{mapping, 1};
    const int fault = git_remote_push(remote, &branches, &options);
    *rejected = !payload.rejection.isEmpty() || fault == GIT_ENONFASTFORWARD;
    if (fault == 0 && payload.rejection.isEmpty()) return true;
    SetError(error, payload.rejection.isEmpty() ? Git::Error(QStringLiteral("the server %1 refused the history").arg(QString::fromUtf8(git_remote_url(remote))))
                                                : QStringLiteral("the server refused %1").arg(payload.rejection));
    return false;
}

// Brings the local list up with what a fetch and merge brought (on a new PC, the whole history),
// here on the sync's own thread, so that the next listing reads one file and waits for nothing.
void ListMerged(git_repository *repo, const QString &folder)
{
    const HistoryRepo::Lock lock(folder, 0);
    const GitCommit tip = Git::BranchTip(repo, HistoryRepo::Branch);
    if (lock.Held() && tip) (void)HistoryList::Content(repo, folder, git_commit_id(tip.get()), true);
}

bool InStep(git_repository *repo)
{
    const GitCommit ours = Git::BranchTip(repo, HistoryRepo::Branch), theirs = Git::BranchTip(repo, HistoryRepo::RemoteBranch);
    if (!ours) return true;
    return theirs && git_oid_equal(git_commit_id(ours.get()), git_commit_id(theirs.get()));
}
}  // namespace

int HistoryStore::NotOnServer() const
{
    const GitRepo repo = HistoryRepo::Open(m_folder, false, nullptr);
    if (!repo || !ShopRemote(repo.get())) return 0;
    git_revwalk *raw = nullptr;
    if (git_revwalk_new(&raw, repo.get()) != 0) return 0;
    const GitWalk walk(raw);
    if (git_revwalk_push_ref(raw, HistoryRepo::Branch) != 0) return 0;
    git_revwalk_hide_ref(raw, HistoryRepo::RemoteBranch);
    int count = 0;
    git_oid id;
    while (git_revwalk_next(&id, raw) == 0) {
        git_commit *commit = nullptr;
        if (git_commit_lookup(&commit, repo.get(), &id) != 0) continue;
        if (git_commit_parentcount(commit) <= 1) ++count;
        git_commit_free(commit);
    }
    return count;
}

QString HistoryStore::Remote() const
{
    const GitRepo repo = HistoryRepo::Open(m_folder, false, nullptr);
    const GitRemote remote = repo ? ShopRemote(repo.get()) : GitRemote();
    return remote ? QString::fromUtf8(git_remote_url(remote.get())) : QString();
}

bool HistoryStore::SetRemote(const QString &url, QString *error)
{
    // The address is shared with whoever reads the repository's configuration: no secret in it.
    if (!QUrl(url).password().isEmpty())
        return SetError(error, QStringLiteral("a password does not belong in the address: give a token in %1").arg(QLatin1String(TokenVariable))), false;
    const GitRepo repo = HistoryRepo::Open(m_folder, true, error);
    if (!repo) return false;
    const QByteArray address = url.trimmed().toUtf8();
    int fault = 0;
    if (address.isEmpty())
        fault = ShopRemote(repo.get()) ? git_remote_delete(repo.get(), HistoryRepo::RemoteName) : 0;
    else if (ShopRemote(repo.get()))
        fault = git_remote_set_url(repo.get(), HistoryRepo::RemoteName, address.constData());
    else {
        git_remote *remote = nullptr;
        fault = git_remote_create_with_fetchspec(&remote, repo.get(), HistoryRepo::RemoteName, address.constData(), FetchMapping);
        git_remote_free(remote);
    }
    if (fault != 0) return SetError(error, HistoryRepo::CannotWrite(m_folder, Git::Error(QStringLiteral("the server's address")))), false;
    return true;
}

SyncResult HistoryStore::Sync(QString *error, int limitMs)
{
    const GitRepo repo = HistoryRepo::Open(m_folder, true, error);
    if (!repo) return SyncResult::Failed;
    const GitRemote remote = ShopRemote(repo.get());
    if (!remote) return SetError(error, QStringLiteral("no server named (quarntrim-cli history remote URL)")), SyncResult::NoRemote;
    BoundNetworkWaits(limitMs);
    const BoundedSocket::Scope bounded(QByteArray(git_remote_url(remote.get())), limitMs);
    for (int attempt = 0; attempt < PushAttempts; ++attempt) {
        if (!Fetch(remote.get(), error)) return SyncResult::Unreachable;
        if (!MergeFetched(repo.get(), m_folder, error)) return SyncResult::Failed;
        ListMerged(repo.get(), m_folder);
        if (InStep(repo.get())) return SyncResult::InStep;
        bool rejected = false;
        if (Push(remote.get(), &rejected, error)) {
            // The server holds the branch now, as a fetch would say.
            const GitCommit ours = Git::BranchTip(repo.get(), HistoryRepo::Branch);
            git_reference *ref = nullptr;
            git_reference_create(&ref, repo.get(), HistoryRepo::RemoteBranch, git_commit_id(ours.get()), 1, "history: pushed");
            git_reference_free(ref);
            return SyncResult::InStep;
        }
        if (!rejected) return SyncResult::Unreachable;
    }
    return SyncResult::Failed;
}

bool HistoryStore::SyncGoingOn() { return RunningSyncs.load() > 0; }

SyncResult HistoryStore::SyncWithin(const QString &folder, int waitMs, QString *error)
{
    struct Shared {
        std::mutex mutex;
        std::condition_variable done;
        bool finished = false;
        SyncResult result = SyncResult::Failed;
        QString error;
    };
    const auto shared = std::make_shared<Shared>();
    ++RunningSyncs;
    // A thread of Qt's own, not a bare one: what Qt keeps per thread (the regular-expression
    // stacks the import check uses) is then freed on that thread as it ends. On Windows the
    // clean-up of a bare thread runs elsewhere after it has gone, and faulted.
    QThread *const thread = QThread::create([shared, folder] {
        QString reason;
        const SyncResult result = HistoryStore(folder).Sync(&reason);
        const std::lock_guard<std::mutex> hold(shared->mutex);
        shared->result = result;
        shared->error = reason;
        shared->finished = true;
        --RunningSyncs;
        shared->done.notify_all();
    });
    // Deleted once it has finished, where an event loop runs; a program that ends first leaves it.
    QObject::connect(thread, &QThread::finished, thread, &QObject::deleteLater);
    thread->start();
    std::unique_lock<std::mutex> hold(shared->mutex);
    if (!shared->done.wait_for(hold, std::chrono::milliseconds(waitMs), [&] { return shared->finished; })) {
        SetError(error, QStringLiteral("the server did not answer within %1 s").arg(waitMs / 1000.0));
        return SyncResult::Unreachable;
    }
    SetError(error, shared->error);
    return shared->result;
}
