#include "history/historystore.h"

#include "app/settings.h"
#include "app/usablefile.h"
#include "app/wholefile.h"
#include "files/model/joyfile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QLockFile>
#include <QRegularExpression>
#include <QStandardPaths>

#include <algorithm>
#include <iterator>

namespace {
struct KindName {
    HistoryKind kind;
    const char *word;
    const char *caption;
    const char *extension;
};
constexpr KindName KindNames[] = {
    {HistoryKind::Download, "download", "From controller", "joy"},
    {HistoryKind::Upload, "upload", "To controller", "joy"},
    {HistoryKind::Firmware, "firmware", "Firmware backup", "hex"},
};

const KindName &NameOf(HistoryKind kind)
{
    return *std::find_if(std::begin(KindNames), std::end(KindNames), [kind](const KindName &k) { return k.kind == kind; });
}

bool KindFromWord(const QString &word, HistoryKind &kind)
{
    for (const KindName &k : KindNames)
        if (word == QLatin1String(k.word)) {
            kind = k.kind;
            return true;
        }
    return false;
}

// How long a keep waits for another program that is writing the history at the same moment.
constexpr int LockWaitMs = 2000;
const QString LockName = QStringLiteral(".lock");
const QString NameTimeFormat = QStringLiteral("yyyy-MM-dd_HH-mm-ss.zzz");
const QString IndexHeader = QStringLiteral("# time\tdirection\tport\tproduct\tbanner\tfile\n");
constexpr char NoLetter = '-';

QString FileNameOf(const HistoryEntry &entry)
{
    QString name = entry.time.toString(NameTimeFormat) + QStringLiteral("Z_") + HistoryKindWord(entry.kind) +
                   QStringLiteral("_COM") + QString::number(entry.comNumber);
    if (entry.productLetter) name += QStringLiteral("_") + QLatin1Char(entry.productLetter);
    return name + QLatin1Char('.') + QLatin1String(NameOf(entry.kind).extension);
}

// An entry from a file name alone (no banner); false for a file that is no history file.
bool EntryFromName(const QString &name, HistoryEntry &entry)
{
    static const QRegularExpression pattern(QStringLiteral(
        R"(^(\d{4}-\d\d-\d\d_\d\d-\d\d-\d\d\.\d{3})Z_([a-z]+)_COM(\d+)(?:_([A-Za-z]))?\.(joy|hex)$)"));
    const QRegularExpressionMatch m = pattern.match(name);
    if (!m.hasMatch() || !KindFromWord(m.captured(2), entry.kind)) return false;
    if (m.captured(5) != QLatin1String(NameOf(entry.kind).extension)) return false;
    // Read by position: QDateTime's own format parser would dominate the listing of a full folder.
    const QStringView t = m.capturedView(1);
    auto number = [t](int from, int size) { return t.mid(from, size).toInt(); };
    entry.time = QDateTime(QDate(number(0, 4), number(5, 2), number(8, 2)),
                           QTime(number(11, 2), number(14, 2), number(17, 2), number(20, 3)), Qt::UTC);
    entry.comNumber = m.captured(3).toInt();
    entry.productLetter = m.captured(4).isEmpty() ? 0 : m.captured(4).at(0).toLatin1();
    entry.banner.clear();
    entry.fileName = name;
    return entry.time.isValid();
}

// One index line; banners lose the tabs and line breaks that would break the line apart.
QString IndexLine(const HistoryEntry &entry)
{
    QString banner = entry.banner;
    for (QChar &c : banner)
        if (c.category() == QChar::Other_Control) c = QLatin1Char(' ');
    const QChar letter = QLatin1Char(entry.productLetter ? entry.productLetter : NoLetter);
    // The name starts with the time: "2026-12-08_22-45-03.123Z" is written "2026-12-08T22:45:03.123Z".
    QString time = entry.fileName.left(NameTimeFormat.size() + 1);
    time[10] = QLatin1Char('T');
    time[13] = time[16] = QLatin1Char(':');
    return QStringList{time, HistoryKindWord(entry.kind),
                       QStringLiteral("COM") + QString::number(entry.comNumber), QString(letter), banner,
                       entry.fileName}
               .join(QLatin1Char('\t')) +
           QLatin1Char('\n');
}

// The banners of the index, by file name. The rest of each line is what the name says too.
QHash<QString, QString> ReadIndexBanners(const QString &path)
{
    QHash<QString, QString> banners;
    // Only a regular index is read: a pipe in its place would hold every keep and listing.
    QFile file(path);
    if (OpenRegularFileForReading(file) != RegularOpen::Opened) return banners;
    const QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    for (const QString &line : lines) {
        if (line.startsWith(QLatin1Char('#'))) continue;
        const QStringList fields = line.split(QLatin1Char('\t'));
        if (fields.size() == 6) banners.insert(fields[5], fields[4]);
    }
    return banners;
}

bool Newer(const HistoryEntry &a, const HistoryEntry &b)
{
    if (a.time != b.time) return a.time > b.time;
    return a.fileName > b.fileName;
}

void SetError(QString *error, const QString &text)
{
    if (error) *error = text;
}

QString CannotWrite(const QString &path, const QString &reason)
{
    return QStringLiteral("cannot write %1: %2").arg(QDir::toNativeSeparators(path), reason);
}
}  // namespace

QString HistoryKindWord(HistoryKind kind) { return QLatin1String(NameOf(kind).word); }
QString HistoryKindCaption(HistoryKind kind) { return QLatin1String(NameOf(kind).caption); }

QString HistoryStore::DefaultFolder()
{
    // The application data folder of the window, whichever program asks: the command line has
    // names of its own, which the system's location ends in and which are replaced here.
    QString suffix;
    for (const QString &name : {QCoreApplication::organizationName(), QCoreApplication::applicationName()})
        if (!name.isEmpty()) suffix += QLatin1Char('/') + name;
    QString base = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    if (base.endsWith(suffix)) base.chop(suffix.size());
    return base + QLatin1Char('/') + QLatin1String(SettingsMaker) + QLatin1Char('/') + QLatin1String(SettingsSection) +
           QStringLiteral("/history");
}

HistoryStore::HistoryStore(QString folder) : m_folder(std::move(folder)) {}

QString HistoryStore::PathOf(const HistoryEntry &entry) const { return QDir(m_folder).filePath(entry.fileName); }

QList<HistoryEntry> HistoryStore::Entries() const
{
    const QDir dir(m_folder);
    const QHash<QString, QString> banners = ReadIndexBanners(dir.filePath(QString::fromLatin1(kIndexName)));
    const QStringList names =
        dir.entryList({QStringLiteral("*.joy"), QStringLiteral("*.hex")}, QDir::Files, QDir::NoSort);
    QList<HistoryEntry> entries;
    entries.reserve(names.size());
    for (const QString &name : names) {
        HistoryEntry entry;
        if (!EntryFromName(name, entry)) continue;
        entry.banner = banners.value(name);
        entries.append(entry);
    }
    std::stable_sort(entries.begin(), entries.end(), Newer);
    return entries;
}

bool HistoryStore::Load(const HistoryEntry &entry, CalImageBytes &image, QString *error) const
{
    const IoError fault = ReadJoyFile(PathOf(entry), image);
    if (fault.failed()) SetError(error, entry.fileName + QStringLiteral(": ") + IoErrorText(fault));
    return !fault.failed();
}

bool HistoryStore::KeepImage(HistoryKind direction, int comNumber, char productLetter, const QString &banner,
                             const CalImageBytes &bytes, QString *error)
{
    HistoryEntry entry;
    entry.kind = direction;
    entry.comNumber = comNumber;
    entry.productLetter = productLetter;
    entry.banner = banner;
    return Keep(entry, QByteArray(reinterpret_cast<const char *>(bytes.data()), CalImageSize), error, nullptr);
}

bool HistoryStore::KeepFirmware(const QByteArray &hexText, const QString &chipLine, int comNumber, QString *error,
                                QString *path)
{
    HistoryEntry entry;
    entry.kind = HistoryKind::Firmware;
    entry.comNumber = comNumber;
    entry.banner = chipLine.trimmed();
    return Keep(entry, hexText, error, path);
}

bool HistoryStore::Keep(HistoryEntry entry, const QByteArray &content, QString *error, QString *path)
{
    const QDir dir(m_folder);
    if (!dir.mkpath(QStringLiteral("."))) {
        SetError(error, QStringLiteral("cannot create the folder %1").arg(QDir::toNativeSeparators(m_folder)));
        return false;
    }
    QLockFile lock(dir.filePath(LockName));
    if (!lock.tryLock(LockWaitMs)) {
        SetError(error, lock.error() == QLockFile::LockFailedError
                            ? QStringLiteral("the folder %1 is in use by another program").arg(QDir::toNativeSeparators(m_folder))
                            : QStringLiteral("cannot write in the folder %1").arg(QDir::toNativeSeparators(m_folder)));
        return false;
    }

    // Each file's time is unique, so newest first is one order for every reader.
    entry.time = QDateTime::currentDateTimeUtc();
    while (QFileInfo::exists(dir.filePath(FileNameOf(entry)))) entry.time = entry.time.addMSecs(1);
    entry.fileName = FileNameOf(entry);
    const QString filePath = dir.filePath(entry.fileName);

    // The index is rewritten whole below, through a temporary file: one that is no regular file
    // is refused before anything is written, so the folder stays as it was.
    const QString indexPath = dir.filePath(QString::fromLatin1(kIndexName));
    if (const QString refusal = WholeFileRefusal(indexPath); !refusal.isEmpty()) {
        SetError(error, CannotWrite(indexPath, refusal));
        return false;
    }
    QList<HistoryEntry> entries = Entries();
    if (const QString reason = WriteWholeFile(filePath, content); !reason.isEmpty()) {
        SetError(error, CannotWrite(filePath, reason));
        return false;
    }
    entries.prepend(entry);

    // The newest of each sort stay; the index is written before the files go, so it never names
    // a file that a failed write left out of it.
    QList<HistoryEntry> kept, dropped;
    int images = 0, firmware = 0;
    for (const HistoryEntry &e : entries) {
        int &count = e.kind == HistoryKind::Firmware ? firmware : images;
        const int bound = e.kind == HistoryKind::Firmware ? kMaxFirmware : kMaxImages;
        (++count > bound ? dropped : kept).append(e);
    }
    QString index = IndexHeader;
    for (auto it = kept.crbegin(); it != kept.crend(); ++it) index += IndexLine(*it);
    if (const QString reason = WriteWholeFile(indexPath, index.toUtf8()); !reason.isEmpty()) {
        SetError(error, CannotWrite(indexPath, reason));
        QFile::remove(filePath);
        return false;
    }
    for (const HistoryEntry &e : dropped) QFile::remove(PathOf(e));
    if (path) *path = filePath;
    return true;
}
