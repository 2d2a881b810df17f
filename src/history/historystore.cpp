#include "history/historystore.h"

#include "core/settings.h"
#include "core/wholefile.h"
#include "core/catalog/catalogue.h"
#include "core/catalog/recipe.h"
#include "history/historylist.h"
#include "history/historyrepo.h"
#include "history/unitname.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QSysInfo>

#include <algorithm>

namespace {
const QString HistoryGroup = QStringLiteral("History");
const QString TechnicianKey = QStringLiteral("Technician");
const QString UnassignedFolder = QStringLiteral("unassigned");
const QString ImageFile = QStringLiteral("image.joy");
const QString SettingsFile = QStringLiteral("settings.txt");
const QString NameFile = QStringLiteral("name.txt");
const QString VisitFile = QStringLiteral("visit.txt");
const QString FirmwareFile = QStringLiteral("firmware.hex");
const QString MonthFormat = QStringLiteral("yyyy-MM");
const QString StampFormat = QStringLiteral("yyyy-MM-dd_HH-mm-ss.zzz'Z'");

void SetError(QString *error, const QString &text)
{
    if (error) *error = text;
}

QString Extension(HistoryKind kind) { return kind == HistoryKind::Firmware ? QStringLiteral("hex") : QStringLiteral("joy"); }

// A port or PC name as part of a file name.
QString FileWord(const QString &text)
{
    QString word;
    for (const QChar c : text) word += c.isLetterOrNumber() && c.unicode() < 128 ? c : QLatin1Char('-');
    return word;
}

QString UnitFile(const QString &unit, const QString &file) { return UnitName::Path(unit) + QLatin1Char('/') + file; }

QString UnassignedPath(const HistoryEntry &e)
{
    return UnassignedFolder + QLatin1Char('/') + e.time.toString(MonthFormat) + QLatin1Char('/') + e.time.toString(StampFormat) +
           QLatin1Char('_') + HistoryKindWord(e.kind) + QLatin1Char('_') + FileWord(e.port) + QLatin1Char('_') + FileWord(e.pc) +
           QLatin1Char('.') + Extension(e.kind);
}

QByteArray SettingsText(const QByteArray &image, char letter)
{
    CalImageBytes bytes{};
    std::copy(image.cbegin(), image.cbegin() + std::min<qsizetype>(image.size(), CalImageSize), bytes.begin());
    uint8_t product = Product::None;
    if (!letter || !Catalogue::ProductFromLetter(QString(QLatin1Char(letter)), &product))
        product = Catalogue::ProductReading(Product::None, bytes);
    return Catalogue::RecipeLines(bytes, product).join(QLatin1Char('\n')).toUtf8() + '\n';
}

QByteArray VisitText(const HistoryRecord &r)
{
    const HistoryEntry &e = r.entry;
    return QStringList{HistoryRecords::TimeText(e.time), r.event, e.port, e.technician, e.pc}.join(QLatin1Char('\t')).toUtf8() + '\n';
}

// The files an event changes: the unit's folder, or one file among the unassigned.
QList<Git::FileChange> ChangesOf(const HistoryRecord &r, const QByteArray &content)
{
    const HistoryEntry &e = r.entry;
    if (e.unit.isEmpty()) return {{r.file, content}};
    QList<Git::FileChange> changes{{r.file, content},
                                   {UnitFile(e.unit, NameFile), e.unit.toUtf8() + '\n'},
                                   {UnitFile(e.unit, VisitFile), VisitText(r)}};
    if (e.kind != HistoryKind::Firmware) changes.append({UnitFile(e.unit, SettingsFile), SettingsText(content, e.productLetter)});
    return changes;
}

HistoryRecord NewRecord(HistoryKind kind, const QString &port, const QString &unit)
{
    HistoryRecord r;
    r.entry.kind = kind;
    r.entry.port = HistoryRecords::OneLine(port);
    r.entry.unit = HistoryRecords::OneLine(unit).simplified();
    r.entry.technician = HistoryStore::Technician();
    r.entry.pc = HistoryStore::PcName();
    r.entry.time = QDateTime::currentDateTimeUtc();
    r.event = HistoryKindWord(kind);
    return r;
}

// The file a unit's folder keeps an event's content in.
QString UnitFileOf(HistoryKind kind) { return kind == HistoryKind::Firmware ? FirmwareFile : ImageFile; }

// One event as one commit: in the unit's folder, or among the unassigned.
bool KeepEvent(const QString &folder, HistoryRecord r, const QByteArray &content, QString *error)
{
    const GitRepo repo = HistoryRepo::Open(folder, true, error);
    if (!repo) return false;
    // The files are made before the lock is taken (the settings text is most of a commit's work):
    // another program committing at the same moment waits only for the commit itself.
    r.file = r.entry.unit.isEmpty() ? UnassignedPath(r.entry) : UnitFile(r.entry.unit, UnitFileOf(r.entry.kind));
    const QList<Git::FileChange> changes = ChangesOf(r, content);
    const HistoryRepo::Lock lock(folder);
    if (!lock.Held()) return SetError(error, HistoryRepo::CannotWrite(folder, lock.Refusal())), false;
    return HistoryRepo::Commit(repo.get(), folder, changes, &r, error);
}

// The local list, up to date with the branch ("" for an empty or unreadable history).
QByteArray ListContent(const QString &folder)
{
    QString error;
    const GitRepo repo = HistoryRepo::Open(folder, false, &error);
    if (!repo) return {};
    const GitCommit tip = Git::BranchTip(repo.get(), HistoryRepo::Branch);
    if (!tip) return {};
    const HistoryRepo::Lock lock(folder, 0);
    return HistoryList::Content(repo.get(), folder, git_commit_id(tip.get()), lock.Held());
}

// The file an entry kept, from its commit.
bool ReadKept(const QString &folder, const HistoryEntry &entry, QByteArray *content, QString *error, QString *file = nullptr)
{
    const GitRepo repo = HistoryRepo::Open(folder, false, error);
    if (!repo) return false;
    git_oid id;
    git_commit *raw = nullptr;
    if (!Git::IdFromText(entry.id, &id) || git_commit_lookup(&raw, repo.get(), &id) != 0) {
        SetError(error, QStringLiteral("%1: not in the history").arg(entry.id));
        return false;
    }
    const GitCommit commit(raw);
    HistoryRecord record;
    git_tree *tree = nullptr;
    if (!HistoryRecords::FromMessage(entry.id, git_commit_message(raw), &record) || git_commit_tree(&tree, raw) != 0) {
        SetError(error, QStringLiteral("%1: no event of the history").arg(entry.id));
        return false;
    }
    const GitTree owned(tree);
    if (!Git::ReadPath(repo.get(), tree, record.file, content)) {
        SetError(error, QStringLiteral("%1: %2 is missing").arg(entry.id, record.file));
        return false;
    }
    if (file) *file = record.file;
    return true;
}
}  // namespace

QString HistoryStore::DefaultFolder()
{
    // The application data folder of the window, whichever program asks: the command line has
    // names of its own, which the system's location ends in and which are replaced here. It is the
    // machine's own data folder: %LOCALAPPDATA% on Windows, not the roaming one, so the history
    // stays with the PC it was made on; on Linux the same folder as the roaming one.
    QString suffix;
    for (const QString &name : {QCoreApplication::organizationName(), QCoreApplication::applicationName()})
        if (!name.isEmpty()) suffix += QLatin1Char('/') + name;
    QString base = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
    if (base.endsWith(suffix)) base.chop(suffix.size());
    return base + QLatin1Char('/') + QLatin1String(SettingsMaker) + QLatin1Char('/') + QLatin1String(SettingsSection) +
           QStringLiteral("/history");
}

QString HistoryStore::Technician()
{
    QString user = qEnvironmentVariable("USER");
    if (user.isEmpty()) user = qEnvironmentVariable("USERNAME");
    const std::unique_ptr<QSettings> settings = OpenSettings(QLatin1String(SettingsSection));
    const QString name = HistoryRecords::OneLine(settings->value(HistoryGroup + QLatin1Char('/') + TechnicianKey, user).toString());
    return name.isEmpty() ? QStringLiteral("technician") : name;
}

QString HistoryStore::SetTechnician(const QString &name)
{
    const std::unique_ptr<QSettings> settings = OpenSettings(QLatin1String(SettingsSection));
    settings->setValue(HistoryGroup + QLatin1Char('/') + TechnicianKey, HistoryRecords::OneLine(name));
    settings->sync();
    return settings->status() == QSettings::NoError ? QString() : QStringLiteral("the settings file cannot be written");
}

QString HistoryStore::PcName() { return HistoryRecords::OneLine(QSysInfo::machineHostName()); }

HistoryStore::HistoryStore(QString folder) : m_folder(std::move(folder)) {}

bool HistoryStore::KeepImage(HistoryKind kind, const QString &port, char productLetter, const QString &banner,
                             const CalImageBytes &bytes, const QString &unit, QString *error)
{
    HistoryRecord r = NewRecord(kind, port, unit);
    r.entry.productLetter = productLetter;
    r.entry.banner = HistoryRecords::OneLine(banner);
    return KeepEvent(m_folder, r, QByteArray(reinterpret_cast<const char *>(bytes.data()), CalImageSize), error);
}

bool HistoryStore::KeepFirmware(const QByteArray &hex, const QString &chipLine, const QString &port, const QString &unit,
                                QString *error)
{
    HistoryRecord r = NewRecord(HistoryKind::Firmware, port, unit);
    r.entry.banner = HistoryRecords::OneLine(chipLine);
    return KeepEvent(m_folder, r, hex, error);
}

QList<HistoryEntry> HistoryStore::Entries(const QString &unit) const
{
    const HistoryListing listing = Listing(unit.isEmpty() ? HistoryListing::Scope::All : HistoryListing::Scope::Unit, unit);
    QList<HistoryEntry> entries;
    entries.reserve(listing.Size());
    for (qsizetype row = 0; row < listing.Size(); ++row) entries.append(listing.At(row));
    return entries;
}

HistoryListing HistoryStore::Listing(HistoryListing::Scope scope, const QString &unit) const
{
    return HistoryListing(ListContent(m_folder), scope, unit);
}

namespace {
// The units' names as of a commit, kept beside the list so that offering them (the Unit box, the
// History dialog) reads one small file instead of a name file per unit. Its first line names the
// commit it was made from; any other commit makes it stale and it is made again.
const QString UnitsCacheName = QStringLiteral("quarn-units.txt");

QStringList CachedUnits(const QString &folder, const QString &tip)
{
    QFile file(QDir(folder).filePath(UnitsCacheName));
    if (!file.open(QIODevice::ReadOnly)) return {};
    QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    if (lines.isEmpty() || lines.first() != tip) return {};
    lines.removeFirst();
    return lines;
}

QStringList UnitsOfTree(git_repository *repo, git_tree *root)
{
    QStringList units;
    git_tree_entry *unitsEntry = nullptr;
    git_tree *unitsTree = nullptr;
    if (git_tree_entry_bypath(&unitsEntry, root, UnitName::UnitsFolder.toUtf8().constData()) != 0) return units;
    const GitTreeEntry ownedEntry(unitsEntry);
    if (git_tree_lookup(&unitsTree, repo, git_tree_entry_id(unitsEntry)) != 0) return units;
    const GitTree ownedUnits(unitsTree);
    for (size_t f = 0; f < git_tree_entrycount(unitsTree); ++f) {
        git_tree *fan = nullptr;
        if (git_tree_lookup(&fan, repo, git_tree_entry_id(git_tree_entry_byindex(unitsTree, f))) != 0) continue;
        const GitTree ownedFan(fan);
        for (size_t u = 0; u < git_tree_entrycount(fan); ++u) {
            QByteArray name;
            const QString path = QString::fromUtf8(git_tree_entry_name(git_tree_entry_byindex(fan, u))) + QLatin1Char('/') + NameFile;
            if (Git::ReadPath(repo, fan, path, &name)) units << QString::fromUtf8(name).trimmed();
        }
    }
    std::sort(units.begin(), units.end(), [](const QString &a, const QString &b) { return a.localeAwareCompare(b) < 0; });
    return units;
}
}  // namespace

QStringList HistoryStore::Units() const
{
    // Each unit's folder holds its name as last typed: the branch's tree lists them all at once.
    const GitRepo repo = HistoryRepo::Open(m_folder, false, nullptr);
    const GitCommit tip = repo ? Git::BranchTip(repo.get(), HistoryRepo::Branch) : GitCommit();
    git_tree *raw = nullptr;
    if (!tip || git_commit_tree(&raw, tip.get()) != 0) return {};
    const GitTree tree(raw);
    const QString tipId = Git::IdText(*git_commit_id(tip.get()));
    QStringList units = CachedUnits(m_folder, tipId);
    if (!units.isEmpty()) return units;
    units = UnitsOfTree(repo.get(), raw);
    // Only a shortcut: a cache that cannot be written is made again next time.
    if (!units.isEmpty()) WriteWholeFile(QDir(m_folder).filePath(UnitsCacheName), (QStringList{tipId} + units).join(QLatin1Char('\n')).toUtf8() + '\n');
    return units;
}

bool HistoryStore::Load(const HistoryEntry &entry, CalImageBytes &image, QString *error) const
{
    QByteArray content;
    if (!ReadKept(m_folder, entry, &content, error)) return false;
    if (content.size() != CalImageSize) {
        SetError(error, QStringLiteral("%1: not an image of %2 bytes").arg(entry.id).arg(CalImageSize));
        return false;
    }
    std::copy(content.cbegin(), content.cend(), image.begin());
    return true;
}

bool HistoryStore::LoadFirmware(const HistoryEntry &entry, QByteArray &hex, QString *error) const
{
    return ReadKept(m_folder, entry, &hex, error);
}

bool HistoryStore::AssignUnit(const HistoryEntry &unassigned, const QString &unit, QString *error)
{
    QByteArray content;
    QString keptAt;
    if (!ReadKept(m_folder, unassigned, &content, error, &keptAt)) return false;
    const QString notUnassigned = QStringLiteral("%1: not an unassigned entry").arg(unassigned.id);
    if (!unassigned.unit.isEmpty() || !keptAt.startsWith(UnassignedFolder + QLatin1Char('/'))) return SetError(error, notUnassigned), false;
    HistoryRecord r = NewRecord(unassigned.kind, unassigned.port, unit);
    if (r.entry.unit.isEmpty()) return SetError(error, QStringLiteral("no unit named")), false;
    r.entry.productLetter = unassigned.productLetter;
    r.entry.banner = unassigned.banner;
    r.event = HistoryRecords::AssignEvent;
    r.of = unassigned.id;
    const GitRepo repo = HistoryRepo::Open(m_folder, true, error);
    if (!repo) return false;
    const HistoryRepo::Lock lock(m_folder);
    if (!lock.Held()) return SetError(error, HistoryRepo::CannotWrite(m_folder, lock.Refusal())), false;
    // Assigned meanwhile (by another program, or on another PC and merged): it is no longer there.
    if (const GitCommit tip = Git::BranchTip(repo.get(), HistoryRepo::Branch); tip) {
        git_tree *raw = nullptr;
        QByteArray still;
        const bool there = git_commit_tree(&raw, tip.get()) == 0 && Git::ReadPath(repo.get(), raw, keptAt, &still);
        git_tree_free(raw);
        if (!there) return SetError(error, notUnassigned), false;
    }

    QList<Git::FileChange> changes{{keptAt, {}, true}};
    // The unit's latest image stays its latest unless the assigned one is newer.
    const QList<HistoryEntry> latest = Entries(unit);
    const bool newest = std::none_of(latest.cbegin(), latest.cend(), [&](const HistoryEntry &e) {
        return e.kind == unassigned.kind && e.time > unassigned.time;
    });
    HistoryRecord placed = r;
    placed.entry.time = unassigned.time;
    placed.event = HistoryKindWord(unassigned.kind);
    placed.file = UnitFile(r.entry.unit, UnitFileOf(unassigned.kind));
    if (newest) changes += ChangesOf(placed, content);
    r.file = newest ? placed.file : QString();
    return HistoryRepo::Commit(repo.get(), m_folder, changes, &r, error);
}
