#include "sim_options.h"

#include "core/variants.h"

#include <functional>

namespace {

using Setter = std::function<bool(SimOptions &, const QString &value)>;

struct OptionRow {
    const char *name;
    const char *argument;  // nullptr: a switch without a value
    const char *help;
    Setter set;
};

bool ToInt(const QString &text, int &out, int minimum)
{
    bool ok = false;
    const int value = text.toInt(&ok);
    if (!ok || value < minimum) return false;
    out = value;
    return true;
}

bool ToLetter(const QString &text, char &out)
{
    if (text.size() != 1 || text[0].unicode() > 0x7F) return false;
    out = static_cast<char>(text[0].unicode());
    return true;
}

const std::vector<OptionRow> &Rows()
{
    static const std::vector<OptionRow> rows = {
        {"--com", "N|auto", "register COM<N> in the serial device map while running (auto: the first free number)",
         [](SimOptions &o, const QString &v) {
             if (v == QLatin1String("auto")) return (o.com = ComAuto) != 0;
             return ToInt(v, o.com, 1) && o.com <= 255;
         }},
        {"--product", "j|b|a|d|z|c", "product letter to announce (default j, Quarn 2)",
         [](SimOptions &o, const QString &v) {
             return ToLetter(v, o.product) && VariantOfLetter(static_cast<uint8_t>(o.product)) != nullptr;
         }},
        {"--image", "FILE.joy", "calibration image to hold (256 bytes); default: the default image",
         [](SimOptions &o, const QString &v) { o.imageFile = v; return !v.isEmpty(); }},
        {"--save-image", "FILE", "write every uploaded image to FILE",
         [](SimOptions &o, const QString &v) { o.saveImageFile = v; return !v.isEmpty(); }},
        {"--boot-wait", "MS", "after its 'B' the bootloader waits MS for its hook (default 300)",
         [](SimOptions &o, const QString &v) { return ToInt(v, o.bootWaitMs, 0); }},
        {"--fast-start", nullptr, "power-up starts the application at once, without the bootloader",
         [](SimOptions &o, const QString &) { return o.fastStart = true; }},
        {"--announce", "MS", "repeat the unprompted product code every MS until acknowledged (default 500)",
         [](SimOptions &o, const QString &v) { return ToInt(v, o.announceMs, 10); }},
        {"--verbose", nullptr, "log every byte of the image transfers as well",
         [](SimOptions &o, const QString &) { return o.verbose = true; }},
        {"--no-pacing", nullptr, "send and hear bytes at once instead of at the pace of 9600 baud",
         [](SimOptions &o, const QString &) { o.pacing = false; return true; }},
        {"--byte-delay", "MS", "send each downloaded byte and each upload echo MS after the tool's byte before it",
         [](SimOptions &o, const QString &v) { return ToInt(v, o.byteDelayMs, 0); }},
        {"--deaf", nullptr, "fault: announce as usual but hear nothing the tool sends (a broken wire to it)",
         [](SimOptions &o, const QString &) { return o.deaf = true; }},
        {"--silent", nullptr, "fault: never answer anything",
         [](SimOptions &o, const QString &) { return o.silent = true; }},
        {"--wrong-code", "X", "fault: announce and answer with the letter X",
         [](SimOptions &o, const QString &v) { return ToLetter(v, o.wrongCode); }},
        {"--wrong-echo", "K", "fault: echo upload byte K (from 0) wrong, then right 30 ms later",
         [](SimOptions &o, const QString &v) { return ToInt(v, o.wrongEchoAt, 0); }},
        {"--wrong-echo-only", "K", "fault: echo upload byte K wrong and never right",
         [](SimOptions &o, const QString &v) { return (o.wrongEchoOnly = true) && ToInt(v, o.wrongEchoAt, 0); }},
        {"--stop-after", "K", "fault: go silent in a transfer after K bytes",
         [](SimOptions &o, const QString &v) { return ToInt(v, o.stopAfter, 0); }},
        {"--garbage", "N", "fault: send N garbage bytes before every product code",
         [](SimOptions &o, const QString &v) { return ToInt(v, o.garbage, 0); }},
    };
    return rows;
}

}  // namespace

bool ParseSimOptions(const QStringList &words, SimOptions &options, bool &helpWanted, QString &error)
{
    helpWanted = false;
    // The bootloader's own words first (chip, firmware, its faults); the rest are the table's.
    QStringList arguments = words;
    if (!ParseSimBootOptions(arguments, options.boot, &error)) return false;
    for (int i = 0; i < arguments.size(); ++i) {
        const QString &arg = arguments[i];
        if (arg == QLatin1String("--help") || arg == QLatin1String("-h")) {
            helpWanted = true;
            continue;
        }
        const OptionRow *row = nullptr;
        for (const OptionRow &r : Rows())
            if (arg == QLatin1String(r.name)) row = &r;
        if (!row) {
            error = QStringLiteral("unknown option %1 (see --help)").arg(arg);
            return false;
        }
        QString value;
        if (row->argument) {
            if (i + 1 >= arguments.size()) {
                error = QStringLiteral("%1 needs a value (%2)").arg(arg, QLatin1String(row->argument));
                return false;
            }
            value = arguments[++i];
        }
        if (!row->set(options, value)) {
            error = QStringLiteral("bad value for %1: %2").arg(arg, value);
            return false;
        }
    }
    return true;
}

QString SimUsage()
{
    QString text = QStringLiteral(
        "usage: quarn-sim [options]\n"
        "Emulates one Quarn controller (application and bootloader) on a pseudo-terminal and logs\n"
        "every exchange. Stop it with Ctrl+C; switch the controller off and on with kill -USR1.\n\noptions:\n");
    QList<SimOptionHelp> lines;
    for (const OptionRow &row : Rows()) lines.append({row.name, row.argument, row.help});
    lines += SimBootOptionHelp();
    lines.append({"--help", nullptr, "this text"});
    for (const SimOptionHelp &line : lines) {
        QString left = QLatin1String(line.name);
        if (line.argument) left += QLatin1Char(' ') + QLatin1String(line.argument);
        text += QStringLiteral("  %1  %2\n").arg(left, -24).arg(QLatin1String(line.help));
    }
    return text;
}
