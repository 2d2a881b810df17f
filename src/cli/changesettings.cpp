#include "cli/changesettings.h"

#include "app/wholefile.h"
#include "catalog/catalogue.h"
#include "cli/cli.h"
#include "cli/clihistory.h"
#include "cli/clilink.h"
#include "cli/commands.h"
#include "cli/imagesource.h"

namespace {

// The index of the setting the edit rules refuse first: the shortest refused run of settings
// from the start ends with it.
qsizetype FirstRefused(const CalImageBytes &image, uint8_t product, const QList<Catalogue::Setting> &settings)
{
    for (qsizetype count = 1; count < settings.size(); ++count) {
        CalImageBytes trial = image;
        QString refusal;
        if (!Catalogue::ApplySettings(trial, product, settings.first(count), &refusal)) return count - 1;
    }
    return settings.size() - 1;
}

}  // namespace

int ChangeSettings(Cli &cli, const QString &target, const SettingsFor &settingsFor, const SettingPlace &place)
{
    ImageSources sources(cli);
    NamedImage named;
    int status = Exit::Ok;
    if (!sources.Load(target, false, &named, &status)) return status;
    CliLink *link = sources.Link();
    // The image as it was before the change is kept, as every image a command downloads.
    if (named.fromController) KeepInHistory(*link, HistoryKind::Download, named.image);
    const QString targetName = named.fromController ? link->Port().label : target;

    const QList<Catalogue::Setting> settings = settingsFor(named.product);
    CalImageBytes changed = named.image;
    QString refusal;
    if (!Catalogue::ApplySettings(changed, named.product, settings, &refusal)) {
        const QString where = place && !settings.isEmpty() ? place(FirstRefused(named.image, named.product, settings)) : targetName;
        return cli.Fail(Exit::Usage, where, refusal);
    }
    const bool quiet = cli.Options().quiet;
    if (changed == named.image) {
        if (!quiet) cli.Out(QStringLiteral("nothing to change"));
        return Exit::Ok;
    }
    if (named.fromController) {
        if (status = SendAndReadBack(cli, *link, changed, QStringLiteral("the image sent")); status != Exit::Ok) return status;
    } else if (const QString error = WriteWholeFile(target, QByteArray(reinterpret_cast<const char *>(changed.data()), CalImageSize));
               !error.isEmpty()) {
        return cli.Fail(Exit::File, target, error);
    }
    if (!quiet)
        for (const QString &line : Catalogue::DiffLines(Catalogue::Differences(named.image, changed, named.product))) cli.Out(line);
    return Exit::Ok;
}
