#include "history/unitname.h"

#include <QCryptographicHash>
#include <QRegularExpression>

namespace {
// Device names Windows will not create a file under, whatever the extension.
const char *const ReservedNames[] = {"con", "prn", "aux", "nul", "com1", "com2", "com3", "com4", "com5",
                                     "com6", "com7", "com8", "com9", "lpt1", "lpt2", "lpt3", "lpt4",
                                     "lpt5", "lpt6", "lpt7", "lpt8", "lpt9"};
constexpr int HashSuffixLength = 8;
const QString UnitsFolder = QStringLiteral("units");

QByteArray KeyHash(const QString &key) { return QCryptographicHash::hash(key.toUtf8(), QCryptographicHash::Sha1).toHex(); }

bool Reserved(const QString &folder)
{
    const QString stem = folder.section(QLatin1Char('.'), 0, 0);
    for (const char *name : ReservedNames)
        if (stem == QLatin1String(name)) return true;
    return false;
}
}  // namespace

namespace UnitName {
QString Key(const QString &typed)
{
    return typed.simplified().normalized(QString::NormalizationForm_C).toCaseFolded().normalized(QString::NormalizationForm_C);
}

QString Folder(const QString &typed)
{
    const QString key = Key(typed);
    QString folder;
    folder.reserve(key.size());
    for (const QChar c : key) {
        const bool plain = (c >= QLatin1Char('a') && c <= QLatin1Char('z')) || (c >= QLatin1Char('0') && c <= QLatin1Char('9')) ||
                           c == QLatin1Char('-') || c == QLatin1Char('_') || c == QLatin1Char('.');
        folder += plain ? c : QLatin1Char('_');
    }
    while (folder.endsWith(QLatin1Char('.'))) folder.chop(1);
    while (folder.startsWith(QLatin1Char('.'))) folder.remove(0, 1);
    const bool changed = folder != key || folder.isEmpty() || Reserved(folder) ||
                         folder.size() > MaxFolderLength - HashSuffixLength - 1;
    if (!changed) return folder;
    // Windows reserves such a name whatever follows its first dot.
    if (Reserved(folder)) folder.replace(QLatin1Char('.'), QLatin1Char('_'));
    folder.truncate(MaxFolderLength - HashSuffixLength - 1);
    return folder + QLatin1Char('-') + QString::fromLatin1(KeyHash(key).left(HashSuffixLength));
}

QString FanOut(const QString &typed) { return QString::fromLatin1(KeyHash(Key(typed)).left(2)); }

QString Path(const QString &typed) { return UnitsFolder + QLatin1Char('/') + FanOut(typed) + QLatin1Char('/') + Folder(typed); }
}  // namespace UnitName
