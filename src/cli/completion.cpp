#include "cli/completion.h"

#include "cli/standardoutput.h"

#include "core/catalog/catalogue.h"
#include "cli/arguments.h"
#include "cli/commands.h"
#include "cli/files.h"
#include "cli/imagesource.h"
#include "cli/portchoice.h"
#include "history/historystore.h"
#include "core/variants.h"
#include "link/serialdevicemap.h"

#include <QRegularExpression>

#include <algorithm>
#include <cstdio>

namespace {

// What a command's argument is, beyond a file name.
enum class Argument { File, Image, AnyImage, Setting, HistoryVerb, Unit };

// The commands whose arguments are more than file names (every other command takes files),
// among them those that take settings by name.
struct ArgumentRow {
    const char *command;
    Argument first;  // its first argument
    Argument rest;   // every later one
};
const ArgumentRow kArguments[] = {
    {"show", Argument::Image, Argument::File},
    {"report", Argument::Image, Argument::File},
    {"diff", Argument::AnyImage, Argument::AnyImage},
    {"set", Argument::Image, Argument::Setting},
    {"apply", Argument::Image, Argument::File},
    {"history", Argument::HistoryVerb, Argument::Unit},
};

const ArgumentRow *ArgumentsOf(const QString &command)
{
    for (const ArgumentRow &row : kArguments)
        if (command == QLatin1String(row.command)) return &row;
    return nullptr;
}

struct Reply {
    QString kind = QStringLiteral("words");
    QStringList candidates;
};

// The candidates that begin like `typed` (setting names in any case, as the commands take them).
Reply Matching(const QString &kind, const QStringList &candidates, const QString &typed, Qt::CaseSensitivity cs = Qt::CaseSensitive)
{
    Reply reply{kind, {}};
    for (const QString &candidate : candidates)
        if (candidate.startsWith(typed, cs) && !reply.candidates.contains(candidate)) reply.candidates << candidate;
    return reply;
}

QStringList ComNumbers(const QString &typed)
{
    QList<int> numbers;
    for (const QString &name : SerialDeviceMap::PortNames())
        if (const int n = name.mid(3).toInt(); n > 0) numbers << n;
    std::sort(numbers.begin(), numbers.end());
    // "COM7" to someone who began with the letters, "7" otherwise.
    const bool spelled = typed.startsWith(QLatin1Char('c'), Qt::CaseInsensitive);
    QStringList words;
    for (const int n : numbers) words << (spelled ? QStringLiteral("COM%1").arg(n) : QString::number(n));
    return words;
}

QStringList ProductLetters()
{
    QStringList letters;
    for (const Variant &variant : Variants()) letters << QString(QChar(variant.letter));
    return letters;
}

// The names `show` prints for a product's settings; bytes no setting covers ("byte N") are no
// settings to name.
QStringList SettingNames(const CalImageBytes &image, uint8_t product)
{
    static const QRegularExpression bareByte(QStringLiteral("^byte \\d+$"));
    QStringList names;
    for (const Catalogue::FieldValue &field : Catalogue::Describe(image, product))
        if (!bareByte.match(field.name).hasMatch()) names << field.name + QLatin1Char('=');
    return names;
}

// The names of the product --product gives, else of the product the target file is read as,
// else of every product.
QStringList SettingNamesFor(const QString &productLetter, const QString &target)
{
    uint8_t product = 0;
    if (Catalogue::ProductFromLetter(productLetter, &product)) return SettingNames(CalImageBytes{}, product);
    QByteArray contents;
    QString error;
    if (target != ControllerImageName && CliFiles::ReadRegular(target, &contents, &error) && contents.size() == CalImageSize) {
        CalImageBytes image{};
        std::copy(contents.begin(), contents.end(), image.begin());
        return SettingNames(image, Catalogue::ProductOfFile(image));
    }
    QStringList names;
    for (const QString &letter : ProductLetters())
        if (Catalogue::ProductFromLetter(letter, &product)) names += SettingNames(CalImageBytes{}, product);
    return names;
}

// What the shell typed, without its quoting: a leading quote and the backslashes before characters.
QString Unquoted(QString word)
{
    if (word.startsWith(QLatin1Char('"')) || word.startsWith(QLatin1Char('\''))) word.remove(0, 1);
    static const QRegularExpression escape(QStringLiteral("\\\\(.)"));
    return word.replace(escape, QStringLiteral("\\1"));
}

Reply CompleteWords(const QStringList &words, qsizetype current)
{
    const QString typed = Unquoted(words.value(current));
    const Command *command = nullptr;
    QString commandName;  // a row of kArguments completes the settings commands before they exist
    QStringList arguments;
    QString product;
    QString valueOf;  // the option whose value is being typed
    for (qsizetype i = 1; i < current; ++i) {
        const QString &word = words[i];
        if (word.startsWith(QLatin1Char('-'))) {
            const QList<OptionName> options = OptionNames(command);
            const auto option = std::find_if(options.begin(), options.end(), [&](const OptionName &o) { return o.name == word; });
            if (option == options.end() || option->value.isEmpty()) continue;
            if (words.value(i + 1) == QLatin1String("=")) ++i;  // bash splits "--port=7" at the '='
            if (i + 1 == current) valueOf = option->value;
            else if (word == QLatin1String("--product")) product = words.value(i + 1);
            ++i;
        } else if (commandName.isEmpty()) {
            command = FindCommand(word);
            if (!command && !ArgumentsOf(word)) return {};
            commandName = word;
        } else {
            arguments << Unquoted(word);
        }
    }
    if (valueOf == QLatin1String("PORT")) {
        // In a list of ports ("7,8,"), the port after the last comma.
        const QString listed = typed.left(typed.lastIndexOf(PortSeparator) + 1);
        const QString last = typed.mid(listed.size());
        QStringList words;
        for (const QString &number : ComNumbers(last)) words << listed + number;
        return Matching(QStringLiteral("words"), words, typed, Qt::CaseInsensitive);
    }
    if (valueOf == QLatin1String("LETTER")) return Matching(QStringLiteral("words"), ProductLetters(), typed);
    if (valueOf == QLatin1String("FILE")) return {QStringLiteral("files"), {}};
    if (valueOf == QLatin1String("UNIT")) return Matching(QStringLiteral("names"), HistoryStore().Units(), typed, Qt::CaseInsensitive);
    if (!valueOf.isEmpty()) return {};
    if (typed.startsWith(QLatin1Char('-'))) {
        QStringList names;
        for (const OptionName &option : OptionNames(command)) names << option.name;
        return Matching(QStringLiteral("words"), names, typed);
    }
    if (commandName.isEmpty()) {
        QStringList names;
        for (const Command &c : Commands()) names << QLatin1String(c.name);
        return Matching(QStringLiteral("words"), names, typed);
    }
    if (command && arguments.size() >= command->maxArguments) return {};
    const ArgumentRow *row = ArgumentsOf(commandName);
    switch (!row ? Argument::File : arguments.isEmpty() ? row->first : row->rest) {
    case Argument::File: return {QStringLiteral("files"), {}};
    case Argument::Image: return Matching(QStringLiteral("files"), {ControllerImageName}, typed);
    case Argument::AnyImage: return Matching(QStringLiteral("files"), {ControllerImageName, DefaultsImageName}, typed);
    case Argument::HistoryVerb: return Matching(QStringLiteral("words"), HistoryVerbs(), typed);
    case Argument::Unit: return Matching(QStringLiteral("names"), HistoryStore().Units(), typed, Qt::CaseInsensitive);
    case Argument::Setting:
        return Matching(QStringLiteral("names"), SettingNamesFor(product, arguments.value(0)), typed, Qt::CaseInsensitive);
    }
    return {};
}

}  // namespace

int Complete(const QStringList &request)
{
    bool ok = false;
    const qsizetype current = request.value(0).toLongLong(&ok);
    const QStringList words = request.mid(1);
    if (!ok || current < 1 || current > words.size()) return 2;
    const Reply reply = CompleteWords(words, current);
    StandardOutput::WriteLine(reply.kind);
    for (const QString &candidate : reply.candidates) StandardOutput::WriteLine(candidate);
    return 0;
}
