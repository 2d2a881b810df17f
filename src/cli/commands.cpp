#include "cli/commands.h"

#include "cli/cli.h"
#include "cli/imagesource.h"
#include "core/catalog/catalogue.h"
#include "core/catalog/edits.h"

#include <climits>

namespace {
// What set and apply take as a VALUE, from the edit rules themselves; with names after --help,
// the values those settings take (read as --product reads a file, the Quarn 2 without it).
QStringList ValueFormLines(const CliOptions &options)
{
    QStringList lines{QStringLiteral("NAME and VALUE:")};
    for (const QString &form : Catalogue::ValueForms()) lines << QStringLiteral("  ") + form;
    uint8_t product = Product::Quarn;
    if (!options.product.isNull()) Catalogue::ProductFromLetter(QString(options.product), &product);
    for (const QString &word : options.arguments) {
        const QString name = word.section(QLatin1Char('='), 0, 0);
        if (!name.trimmed().isEmpty()) lines << QString() << Catalogue::ValuesHelp(product, name);
    }
    return lines;
}
}  // namespace

const QList<Command> &Commands()
{
    static const QList<Command> commands = {
        {"ports", "[--probe]", "serial ports: COM number, device, description",
         "Lists the serial ports the window's port dialog offers, with the device behind each COM\n"
         "number and the system's description of it. With --probe, each port is opened and the\n"
         "controller that announces itself on it within --wait is named.",
         0, 0, ProbeOption | JsonOption | LogOption, RunPorts},
        {"identify", "", "the controller on PORT: product letter and name, banner",
         "Waits for the controller on PORT to announce itself and prints its product letter and\n"
         "the banner the window shows. Nothing is transferred.",
         0, 0, JsonOption | LogOption, RunIdentify},
        {"get", "FILE.joy", "download the controller's image into FILE (written atomically)",
         "Downloads the controller's 256-byte calibration image, exactly as it comes over the line,\n"
         "into FILE. FILE is replaced only once the whole image has arrived.",
         1, 1, UnitOption | LogOption, RunGet},
        {"send", "FILE.joy", "upload FILE, then download again and compare byte for byte",
         "Uploads FILE to the controller, downloads the image again and compares it byte for byte\n"
         "(status 1 when it differs). FILE must hold exactly 256 bytes.",
         1, 1, UnitOption | LogOption, RunSend},
        {"show", "FILE.joy|controller", "every named field of an image with its value",
         "Lists every setting of the image, one per line as NAME: VALUE, by the name and in the\n"
         "words and units of its product's page; bytes no setting covers appear as 'byte N'. A file\n"
         "is read with the layout the printed report chooses (joystick type 20: Dorsell and Ostrel,\n"
         "otherwise Quarn) unless --product says otherwise; 'controller' downloads the image from the\n"
         "controller on PORT, read with its own product's layout. --json prints one JSON document.",
         1, 1, JsonOption | LogOption | ControllerImage, RunShow},
        {"diff", "A B", "the named fields that differ; A and B: a *.joy file, 'controller' or 'defaults'",
         "Lists only the settings that differ, as NAME: A -> B (status 1 when there is one, 0 when\n"
         "there is none). A and B are each a *.joy file, 'controller' or 'defaults' (the default\n"
         "image); both are read with one layout, the controller's own when it is one of them.\n"
         "--json prints one JSON document.",
         2, 2, JsonOption | LogOption | ControllerImage, RunDiff},
        {"report", "FILE.joy|controller [-o OUT.pdf|OUT.txt]", "the printed report, as a file",
         "Writes the lines the window prints for the image: to standard output, or with -o to a PDF\n"
         "file (a name ending in .pdf) or a text file. Needs no printer and no display.",
         1, 1, OutputOption | LogOption | ControllerImage, RunReport},
        {"flash", "FILE.hex [--backup OLD.hex]", "restart into the bootloader, program, verify, start the application",
         "Reads and checks the Intel HEX file, restarts the controller into its bootloader, programs\n"
         "the flash page by page (page 0 last), reads it back and compares, then starts the\n"
         "application. A program that stopped part-way (a refused write, a signal, a power cycle) or\n"
         "whose read-back differs or cannot be read is not started: the controller waits in its\n"
         "bootloader for the next flash, which finds it there (status 5). With --backup, the\n"
         "firmware being replaced is first read and written to OLD.hex; if it cannot be read or\n"
         "written, nothing is programmed.",
         1, 1, BackupOption | UnitOption | LogOption, RunFlash},
        {"read-flash", "OUT.hex", "read the controller's flash through the bootloader into Intel HEX",
         "Restarts the controller into its bootloader, reads its flash (the part a 16-bit address\n"
         "reaches and the chip lets a firmware fill) and writes it to OUT.hex, leaving out the\n"
         "erased pages at the end; then starts the application again.",
         1, 1, LogOption, RunReadFlash},
        {"verify", "FILE.hex", "compare the controller's flash with FILE through the bootloader, programming nothing",
         "Reads and checks the Intel HEX file, restarts the controller into its bootloader, reads\n"
         "back every page up to the file's end and compares it with the file as flash would have\n"
         "programmed it (bytes the file does not name are erased, 0xFF); then starts the application\n"
         "again. Status 0 when it matches, 1 when it differs (naming the first differing address),\n"
         "3 when the flash cannot be read.",
         1, 1, LogOption, RunVerify},
        {"start", "", "start the application of a controller waiting in its bootloader",
         "Orders the controller on PORT to leave its bootloader and start its application, then\n"
         "waits for the application to announce itself and prints it as identify does. For a\n"
         "controller that a stopped or crashed program left waiting in its bootloader (nothing\n"
         "answers on the port until a power cycle). A running application restarts once, as after\n"
         "a power-up; a controller without firmware stays in its bootloader (status 3). Filler bytes\n"
         "(0xFF) go first, so a bootloader holding half a packet takes the order as an order.",
         0, 0, LogOption, RunStart},
        {"set", "FILE.joy|controller NAME=VALUE...", "change settings by name, all of them or none, and write the image back",
         "Sets each named setting to its value as the product's page does when the technician sets\n"
         "that control (with the settings the page changes along with it), then writes the image\n"
         "back: a file is rewritten whole, the controller's image is uploaded, read back and compared\n"
         "as send does. NAME is the name show prints, in any case; VALUE is in the page's words and\n"
         "units, as show prints it. A file is read as show reads it (--product). All settings are\n"
         "taken or none: a value the page cannot take is refused with what it can take (status 2)\n"
         "and nothing is written. When every value already holds, nothing is written or sent and\n"
         "'nothing to change' is printed; otherwise the fields that changed, as diff prints them\n"
         "(NAME: A -> B). --quiet prints neither. --dry-run prints what would change and writes and\n"
         "sends nothing (on the controller it is a download only, kept in the history as one). The\n"
         "result does not depend on the order of the settings; one named twice with different\n"
         "values is refused. 'set --help NAME' lists the values a setting takes.",
         2, INT_MAX, UnitOption | LogOption | ControllerImage | DryRunOption, RunSet, ValueFormLines},
        {"apply", "FILE.joy|controller RECIPE.txt|-", "set every setting a recipe names (show's or diff's lines), all or none",
         "Sets the settings of a recipe as set does, all of them or none. A recipe holds lines as show\n"
         "prints them (NAME: VALUE) or as diff prints them (NAME: A -> B sets B, that field alone:\n"
         "a diff names every field that changed with it); a line whose first\n"
         "character other than a blank is # is a comment, and blank lines are skipped. '-' reads the\n"
         "recipe from standard input. A line that is none of these is refused with its number\n"
         "(RECIPE.txt:12, status 4), a value the page cannot take likewise (status 2); nothing is\n"
         "written then. 'show FILE > recipe.txt' then 'apply OTHER recipe.txt' gives OTHER the\n"
         "settings of FILE. show's recipe begins with a comment naming the controller and ends\n"
         "with '# end of recipe': a recipe for another controller is refused (status 2), and one\n"
         "cut short (status 4). The JSON of 'show --json' is read too. --dry-run as for set.",
         2, 2, UnitOption | LogOption | ControllerImage | DryRunOption, RunApply, ValueFormLines},
        {"history", "list [UNIT] | show UNIT[@N] | diff UNIT [@N] | get UNIT[@N] FILE.joy|- | sync | remote [URL]",
         "the shop history: a unit's visits, settings and images; sync with the shop's server",
         "The history keeps every image exchanged and every firmware replaced, by unit (--unit), as\n"
         "commits of a git repository shared with the shop's server. 'list' prints the events newest\n"
         "first (time, event, unit, variant, technician, PC; --json one document), of one unit when\n"
         "named in any case. 'show UNIT' prints the settings of the unit's latest image as show does,\n"
         "'UNIT@N' those of N images back; 'diff UNIT' what the latest image changed against the one\n"
         "before, '@N' against N images back (status 1 when something differs). 'get UNIT FILE.joy'\n"
         "writes the image ('-': standard output), to send or apply. 'sync' fetches, merges and\n"
         "pushes (status 3 when the server cannot be reached within 10 s, saying how many entries\n"
         "wait). 'remote URL' names the shop's repository (a path, ssh://, git:// or https://; a\n"
         "token for https comes from QUARN_HISTORY_TOKEN, never from the address); 'remote' prints it.",
         1, 3, JsonOption, RunHistory},
    };
    return commands;
}

const Command *FindCommand(const QString &name)
{
    for (const Command &command : Commands())
        if (name == QLatin1String(command.name)) return &command;
    return nullptr;
}

bool TalksToController(const Command &command, const CliOptions &options)
{
    if (!(command.options & LogOption)) return false;
    if ((command.options & ProbeOption) && !options.probe) return false;
    if (command.options & ControllerImage) return options.arguments.contains(ControllerImageName);
    return true;
}
