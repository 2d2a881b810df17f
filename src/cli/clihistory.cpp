#include "cli/clihistory.h"

#include "cli/clilink.h"

#include <cstdio>

void KeepInHistory(const CliLink &link, HistoryKind direction, const CalImageBytes &image)
{
    QString error;
    if (!HistoryStore().KeepImage(direction, link.Port().named, char(link.ProductLetter()), link.Banner(), image, QString(), &error))
        std::fprintf(stderr, "quarntrim-cli: history not kept: %s\n", qPrintable(error));
}
