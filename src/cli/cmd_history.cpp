// history: the shop history from a shell. A unit's visits, the settings of its images and what
// changed between them, an image to send again, and the shop's server.
#include "core/catalog/catalogue.h"
#include "core/catalog/recipe.h"
#include "cli/cli.h"
#include "cli/commands.h"
#include "cli/files.h"
#include "history/historystore.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

namespace {
const QString TimeFormat = QStringLiteral("yyyy-MM-dd HH:mm:ss");
const QChar Separator = QLatin1Char('\t');

struct Verb {
    const char *name;
    int minArguments;  // after the verb
    int maxArguments;
    int (*run)(Cli &cli, const QStringList &arguments);
};

QString Variant(const HistoryEntry &e) { return e.productLetter ? QString(QLatin1Char(e.productLetter)) : QStringLiteral("-"); }

int List(Cli &cli, const QStringList &arguments)
{
    const QList<HistoryEntry> entries = HistoryStore().Entries(arguments.value(0));
    if (cli.Options().json) {
        QJsonArray list;
        for (const HistoryEntry &e : entries)
            list.append(QJsonObject{{QStringLiteral("time"), e.time.toString(Qt::ISODateWithMs)},
                                    {QStringLiteral("event"), HistoryKindWord(e.kind)},
                                    {QStringLiteral("unit"), e.unit},
                                    {QStringLiteral("variant"), e.productLetter ? Variant(e) : QString()},
                                    {QStringLiteral("port"), e.port},
                                    {QStringLiteral("banner"), e.banner},
                                    {QStringLiteral("technician"), e.technician},
                                    {QStringLiteral("pc"), e.pc},
                                    {QStringLiteral("id"), e.id}});
        cli.Out(QString::fromUtf8(QJsonDocument(list).toJson(QJsonDocument::Indented)).trimmed());
        return Exit::Ok;
    }
    for (const HistoryEntry &e : entries)
        cli.Out(QStringList{e.time.toLocalTime().toString(TimeFormat), HistoryKindWord(e.kind), e.unit.isEmpty() ? QStringLiteral("-") : e.unit,
                            Variant(e), e.technician, e.pc}
                    .join(Separator));
    return Exit::Ok;
}

// "UNIT@N": the unit and how many images back; "UNIT": the latest.
void SplitVisit(const QString &word, QString *unit, int *back)
{
    static const QRegularExpression pattern(QStringLiteral("^(.*)@(\\d+)$"));
    const QRegularExpressionMatch m = pattern.match(word);
    *unit = m.hasMatch() ? m.captured(1) : word;
    *back = m.hasMatch() ? m.captured(2).toInt() : 0;
}

struct Visit {
    CalImageBytes image{};
    uint8_t product = Product::None;
};

// The image of `unit` `back` images before its latest; false (the status in `status`) when there is none.
bool LoadVisit(Cli &cli, const QString &unit, int back, Visit *visit, int *status)
{
    const HistoryStore store;
    QList<HistoryEntry> images;
    for (const HistoryEntry &e : store.Entries(unit))
        if (e.kind != HistoryKind::Firmware) images.append(e);
    if (back >= images.size()) {
        *status = cli.Fail(Exit::File, unit, images.isEmpty() ? QStringLiteral("no image of this unit in the history")
                                                             : QStringLiteral("the history holds %1 images of this unit").arg(images.size()));
        return false;
    }
    const HistoryEntry &entry = images[back];
    QString error;
    if (!store.Load(entry, visit->image, &error)) {
        *status = cli.Fail(Exit::File, unit, error);
        return false;
    }
    if (!entry.productLetter || !Catalogue::ProductFromLetter(QString(QLatin1Char(entry.productLetter)), &visit->product))
        visit->product = Catalogue::ProductOfFile(visit->image);
    return true;
}

int Show(Cli &cli, const QStringList &arguments)
{
    QString unit;
    int back = 0, status = Exit::Ok;
    SplitVisit(arguments[0], &unit, &back);
    Visit visit;
    if (!LoadVisit(cli, unit, back, &visit, &status)) return status;
    for (const QString &line : Catalogue::RecipeLines(visit.image, visit.product)) cli.Out(line);
    return Exit::Ok;
}

int Diff(Cli &cli, const QStringList &arguments)
{
    int back = 1, status = Exit::Ok;
    if (arguments.size() > 1) {
        bool ok = false;
        back = arguments[1].startsWith(QLatin1Char('@')) ? arguments[1].mid(1).toInt(&ok) : 0;
        if (!ok || back < 1) return cli.Fail(Exit::Usage, arguments[1], QStringLiteral("give how many images back as @N (1 or more)"));
    }
    Visit older, latest;
    if (!LoadVisit(cli, arguments[0], 0, &latest, &status) || !LoadVisit(cli, arguments[0], back, &older, &status)) return status;
    const QList<Catalogue::FieldDifference> diffs = Catalogue::Differences(older.image, latest.image, latest.product);
    for (const QString &line : Catalogue::DiffLines(diffs)) cli.Out(line);
    return diffs.isEmpty() ? Exit::Ok : Exit::Difference;
}

int Get(Cli &cli, const QStringList &arguments)
{
    QString unit, error;
    int back = 0, status = Exit::Ok;
    SplitVisit(arguments[0], &unit, &back);
    const QString &fileName = arguments[1];
    if (!CliFiles::Writable(fileName, &error)) return cli.Fail(Exit::File, CliFiles::Named(fileName), error);
    Visit visit;
    if (!LoadVisit(cli, unit, back, &visit, &status)) return status;
    const QByteArray bytes(reinterpret_cast<const char *>(visit.image.data()), CalImageSize);
    if (!CliFiles::WriteAtomically(fileName, bytes, &error)) return cli.Fail(Exit::File, CliFiles::Named(fileName), error);
    return Exit::Ok;
}

int Sync(Cli &cli, const QStringList &)
{
    HistoryStore store;
    const QString remote = store.Remote();
    QString error;
    switch (HistoryStore::SyncWithin(store.Folder(), HistoryStore::SyncTimeoutMs, &error)) {
    case SyncResult::InStep: cli.Out(QStringLiteral("in step with %1").arg(remote)); return Exit::Ok;
    case SyncResult::NoRemote: return cli.Fail(Exit::Usage, QStringLiteral("history"), error);
    case SyncResult::Unreachable:
        return cli.Fail(Exit::Link, remote, QStringLiteral("%1; %2 entries wait to be sent").arg(error).arg(store.NotOnServer()));
    case SyncResult::Failed: break;
    }
    return cli.Fail(Exit::File, QStringLiteral("history"), error);
}

int Remote(Cli &cli, const QStringList &arguments)
{
    HistoryStore store;
    QString error;
    if (arguments.isEmpty()) {
        const QString remote = store.Remote();
        if (!remote.isEmpty()) cli.Out(remote);
        return Exit::Ok;
    }
    return store.SetRemote(arguments[0], &error) ? Exit::Ok : cli.Fail(Exit::File, QStringLiteral("history"), error);
}

const Verb Verbs[] = {
    {"list", 0, 1, List}, {"show", 1, 1, Show}, {"diff", 1, 2, Diff}, {"get", 2, 2, Get}, {"sync", 0, 0, Sync}, {"remote", 0, 1, Remote},
};
}  // namespace

QStringList HistoryVerbs()
{
    QStringList names;
    for (const Verb &verb : Verbs) names << QLatin1String(verb.name);
    return names;
}

int RunHistory(Cli &cli)
{
    const QStringList &words = cli.Options().arguments;
    for (const Verb &verb : Verbs) {
        if (words.first() != QLatin1String(verb.name)) continue;
        const QStringList arguments = words.mid(1);
        if (arguments.size() < verb.minArguments || arguments.size() > verb.maxArguments)
            return cli.Fail(Exit::Usage, QStringLiteral("history"), QStringLiteral("usage: quarntrim-cli history %1").arg(QLatin1String(FindCommand(QStringLiteral("history"))->synopsis)));
        if (cli.Options().json && verb.run != List) return cli.Fail(Exit::Usage, QStringLiteral("history"), QStringLiteral("--json goes with list only"));
        return verb.run(cli, arguments);
    }
    return cli.Fail(Exit::Usage, QStringLiteral("history"), QStringLiteral("unknown '%1': one of %2").arg(words.first(), HistoryVerbs().join(QStringLiteral(", "))));
}
