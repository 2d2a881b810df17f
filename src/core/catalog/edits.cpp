// Settings by name: each named field of the product's page (and "byte N" for a byte no field
// covers) set to a value in the page's words, through the rule of the field's control.
#include "core/catalog/edits.h"

#include "core/image_defaults.h"
#include "core/catalog/catalogue.h"
#include "core/catalog/editvalue.h"
#include "core/catalog/fielddefs.h"

#include <QRegularExpression>

#include <algorithm>
#include <array>
#include <optional>

namespace Catalogue {

namespace {

// A name as looked up: case and blanks do not matter.
QString NameKey(const QString &name)
{
    QString key;
    for (const QChar c : name.toCaseFolded())
        if (!c.isSpace()) key += c;
    return key;
}

// The product's fields and, after them, "byte N" for each byte no field covers: what a setting
// may name. Built once per product.
FieldDefs BuildSettable(uint8_t product)
{
    FieldDefs defs = FieldsOf(product);
    std::array<bool, CalImageSize> covered{};
    for (const FieldDef &def : defs)
        for (int offset : def.offsets) covered[size_t(offset)] = true;
    for (int offset = 0; offset < CalImageSize; ++offset)
        if (!covered[size_t(offset)]) defs << NumberField(QStringLiteral("byte %1").arg(offset), offset);
    return defs;
}

// The settable fields with their names as looked up.
struct Settable {
    explicit Settable(uint8_t product) : defs(BuildSettable(product))
    {
        for (const FieldDef &def : defs) keys << NameKey(def.name);
    }
    FieldDefs defs;
    QStringList keys;
};

const Settable &SettableFieldsOf(uint8_t product)
{
    static const Settable perProduct[] = {Settable(Product::None),    Settable(Product::Quarn),
                                          Settable(Product::Dorsell), Settable(Product::Ostrel),
                                          Settable(Product::Brennic), Settable(Product::CsCan),
                                          Settable(Product::Vintle)};
    static const uint8_t codes[] = {Product::None,    Product::Quarn,  Product::Dorsell, Product::Ostrel,
                                    Product::Brennic, Product::CsCan, Product::Vintle};
    for (size_t i = 0; i < std::size(codes); ++i)
        if (codes[i] == product) return perProduct[i];
    return perProduct[0];
}

const FieldDef *FindField(const Settable &settable, const QString &name)
{
    const qsizetype index = settable.keys.indexOf(NameKey(name));
    return index < 0 ? nullptr : &settable.defs[index];
}

QString PageName(uint8_t product)
{
    const QString name = ProductName(product);
    return name.isEmpty() ? QStringLiteral("this controller's page") : QStringLiteral("the %1 page").arg(name);
}

void Store(CalImageBytes &image, const FieldDef &def, const QByteArray &raw)
{
    for (qsizetype i = 0; i < def.offsets.size(); ++i) image[size_t(def.offsets[i])] = uint8_t(raw.at(i));
}

// The number of single-character edits between two names.
qsizetype EditDistance(const QString &a, const QString &b)
{
    QList<qsizetype> row(b.size() + 1);
    for (qsizetype j = 0; j <= b.size(); ++j) row[j] = j;
    for (qsizetype i = 1; i <= a.size(); ++i) {
        qsizetype diagonal = row[0];
        row[0] = i;
        for (qsizetype j = 1; j <= b.size(); ++j) {
            const qsizetype above = row[j];
            row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a.at(i - 1) == b.at(j - 1) ? 0 : 1)});
            diagonal = above;
        }
    }
    return row[b.size()];
}

// Whether `key` is `name` with characters left out.
bool Abridges(const QString &key, const QString &name)
{
    qsizetype at = 0;
    for (const QChar c : name)
        if (at < key.size() && key.at(at) == c) ++at;
    return at == key.size();
}

// "no setting named 'Hoist Up Mx'... ; did you mean 'Hoist Up (Hyd A6) Max'?": the names nearest
// the one given, where one is near enough to be meant.
constexpr qsizetype MostSuggested = 3;
constexpr qsizetype EditsPerSuggestion = 3;  // a name may be this many characters per edit away
constexpr qsizetype ShortestAbridged = 4;    // a name abridged to fewer characters suggests nothing

QString UnknownName(const Settable &settable, const QString &name, uint8_t product)
{
    const QString key = NameKey(name);
    const qsizetype allowed = std::max<qsizetype>(2, key.size() / EditsPerSuggestion);
    QList<std::pair<qsizetype, qsizetype>> near;  // distance, field
    // A name a few edits away, or one holding every character given in order ("Plow Up Mx").
    for (qsizetype i = 0; i < settable.keys.size(); ++i) {
        const QString &candidate = settable.keys[i];
        const qsizetype distance = EditDistance(key, candidate);
        if (distance <= allowed || (key.size() >= ShortestAbridged && Abridges(key, candidate))) near.append({distance, i});
    }
    std::stable_sort(near.begin(), near.end(), [](const auto &x, const auto &y) { return x.first < y.first; });
    QStringList names;
    for (qsizetype i = 0; i < std::min(near.size(), MostSuggested); ++i) names << QStringLiteral("'%1'").arg(settable.defs[near[i].second].name);
    QString text = QStringLiteral("no setting named '%1' on %2").arg(name.simplified(), PageName(product));
    if (!names.isEmpty()) text += QStringLiteral("; did you mean %1?").arg(names.join(QStringLiteral(" or ")));
    return text;
}

// A field named by a setting, with the value it ends at.
struct Named {
    const FieldDef *def;
    QString value;
    qsizetype setting;  // its index among the settings given
    bool alone;
};

bool Refuse(SettingsRefusal *refusal, const QString &text, qsizetype setting, qsizetype other = -1)
{
    if (refusal) *refusal = {text, setting, other};
    return false;
}

// Two values for one field are the same when they store the same bytes on the image (or read the
// same where neither can be stored).
bool SameValue(const FieldDef &def, const CalImageBytes &image, const QString &a, const QString &b)
{
    if (a.simplified().compare(b.simplified(), Qt::CaseInsensitive) == 0) return true;
    const Resolved x = ResolveValue(def, image, a), y = ResolveValue(def, image, b);
    return x.ok && y.ok && x.raw == y.raw;
}

// The fields named, each once; false when one is unknown or named twice with different values.
bool NamedFields(const CalImageBytes &image, uint8_t product, const QList<Setting> &settings, QList<Named> *named,
                 SettingsRefusal *refusal)
{
    const Settable &defs = SettableFieldsOf(product);
    for (qsizetype i = 0; i < settings.size(); ++i) {
        const FieldDef *def = FindField(defs, settings[i].name);
        if (!def) return Refuse(refusal, UnknownName(defs, settings[i].name, product), i);
        const auto earlier = std::find_if(named->begin(), named->end(), [def](const Named &n) { return n.def == def; });
        if (earlier == named->end()) {
            named->append({def, settings[i].value, i, settings[i].alone});
        } else if (!SameValue(*def, image, earlier->value, settings[i].value)) {
            return Refuse(refusal, QStringLiteral("%1 is set to both %2 and %3").arg(def->name, earlier->value.simplified(), settings[i].value.simplified()),
                          i, earlier->setting);
        }
    }
    return true;
}

// A pair the page keeps that named values in words break: two named ("Plow Up Min 10v and ... Max
// 9v"), or a diff line's value against its partner as the image holds it.
bool PairsHold(const CalImageBytes &image, uint8_t product, const QList<Named> &named, const QList<bool> &inBytes,
               SettingsRefusal *refusal)
{
    const QString kept = QStringLiteral("cannot both hold: the page keeps the minimum at or below the maximum");
    for (qsizetype i = 0; i < named.size(); ++i) {
        const FieldDef &def = *named[i].def;
        if (!def.edit.pairHolds || def.edit.pairHolds(image) || inBytes[i]) continue;
        const auto partner = std::find_if(named.begin(), named.end(), [&](const Named &n) { return n.def->offsets.first() == def.edit.partner; });
        if (partner != named.end() && !inBytes[partner - named.begin()])
            return Refuse(refusal, QStringLiteral("%1 %2 and %3 %4 %5").arg(def.name, named[i].value.simplified(), partner->def->name,
                                                                           partner->value.simplified(), kept),
                          named[i].setting, partner->setting);
        if (partner == named.end() && named[i].alone)
            for (const FieldDef &other : SettableFieldsOf(product).defs)
                if (other.offsets.first() == def.edit.partner)
                    return Refuse(refusal, QStringLiteral("%1 %2 and %3 %4 (as it is) %5").arg(def.name, named[i].value.simplified(), other.name,
                                                                                              other.value(image), kept),
                                  named[i].setting);
    }
    return true;
}
}  // namespace

bool ApplySettings(CalImageBytes &image, uint8_t product, const QList<Setting> &settings, SettingsRefusal *refusal)
{
    QList<Named> named;
    if (!NamedFields(image, product, settings, &named, refusal)) return false;

    // Each setting applies its control's rule in turn; then every field named ends at its own
    // bytes, whatever another setting's dependents did to it. A value read through other bytes (a
    // remote switch through its button's mode), or one its control takes only once another
    // setting stands, is settled in a further pass; a pass that changes nothing more ends it.
    // Controls greyed by others reach a few deep at most.
    constexpr int MostPasses = 6;
    CalImageBytes work = image;
    QList<bool> inBytes(named.size());
    for (int pass = 0; pass < MostPasses; ++pass) {
        const CalImageBytes start = work;
        QList<std::optional<QByteArray>> ends(named.size());
        qsizetype refused = -1;
        QString why;
        for (qsizetype i = 0; i < named.size(); ++i) {
            const Named &n = named[i];
            const Resolved resolved = ResolveValue(*n.def, work, n.value);
            if (!resolved.ok) {
                if (refused < 0) {
                    refused = i;
                    why = QStringLiteral("%1: %2 %3").arg(n.def->name, n.value.simplified(), resolved.why);
                }
                continue;
            }
            if (!resolved.kept) {
                const CalImageBytes before = work;
                Store(work, *n.def, resolved.raw);
                if (n.def->edit.after && resolved.byControl && !n.alone) n.def->edit.after(work, before);
            }
            ends[i] = resolved.raw;
            inBytes[i] = resolved.inBytes;
        }
        for (qsizetype i = 0; i < named.size(); ++i)
            if (ends[i]) Store(work, *named[i].def, *ends[i]);
        if (refused >= 0) {
            if (work == start || pass + 1 == MostPasses) return Refuse(refusal, why, named[refused].setting);
            continue;
        }
        const bool settled =
            std::all_of(named.begin(), named.end(), [&](const Named &n) { return ResolveValue(*n.def, work, n.value).kept; });
        if (settled) break;
    }
    if (!PairsHold(work, product, named, inBytes, refusal)) return false;
    image = work;
    return true;
}

bool ApplySettings(CalImageBytes &image, uint8_t product, const QList<Setting> &settings, QString *refusal)
{
    SettingsRefusal said;
    const bool applied = ApplySettings(image, product, settings, &said);
    if (!applied && refusal) *refusal = said.text;
    return applied;
}

bool EditField(CalImageBytes &shown, uint8_t product, int offset, const QByteArray &bytes, QString *why)
{
    auto refuse = [why](const QString &text) {
        if (why) *why = text;
        return false;
    };
    const FieldDef *def = nullptr;
    for (const FieldDef &field : FieldsOf(product))
        if (field.offsets.first() == offset) def = &field;
    if (!def) return refuse(QStringLiteral("no setting starts at byte %1 on %2").arg(offset).arg(PageName(product)));
    if (bytes.size() != def->offsets.size())
        return refuse(QStringLiteral("%1: takes %2 bytes, not %3").arg(def->name).arg(def->offsets.size()).arg(bytes.size()));
    const bool stores = def->offsets.size() == 1 ? !def->edit.stores || def->edit.stores(shown, uint8_t(bytes.at(0)))
                                                 : def->edit.textWidth > 0 || def->edit.choices.contains(bytes);
    if (!stores)
        return refuse(QStringLiteral("%1: byte %2 is not a value its control stores; it takes %3")
                          .arg(def->name, QString::number(uint8_t(bytes.at(0))), ValuesTaken(*def, shown)));
    const CalImageBytes before = shown;
    Store(shown, *def, bytes);
    if (def->edit.after) def->edit.after(shown, before);
    return true;
}

bool EditFields(CalImageBytes &shown, uint8_t product, const CalImageBytes &target, QString *why)
{
    FieldDefs defs = FieldsOf(product);
    std::stable_sort(defs.begin(), defs.end(), [](const FieldDef &a, const FieldDef &b) { return a.offsets.first() < b.offsets.first(); });
    CalImageBytes work = shown;
    for (const FieldDef &def : defs) {
        const QByteArray wanted = FieldBytes(def, target);
        if (FieldBytes(def, work) != wanted && !EditField(work, product, def.offsets.first(), wanted, why)) return false;
    }
    shown = work;
    return true;
}

bool SplitSettingLine(const QString &line, uint8_t product, Setting *setting)
{
    const QString folded = NameKey(line);
    const Settable &settable = SettableFieldsOf(product);
    qsizetype best = -1;
    for (qsizetype i = 0; i < settable.keys.size(); ++i) {
        const QString &key = settable.keys[i];
        if (folded.size() > key.size() && folded.at(key.size()) == QLatin1Char(':') && folded.startsWith(key) &&
            (best < 0 || key.size() > settable.keys[best].size()))
            best = i;
    }
    if (best < 0) return false;
    // The value keeps its own blanks (a label's inner spaces); the name may be spaced any way.
    QStringList characters;
    for (const QChar c : settable.defs[best].name)
        if (!c.isSpace()) characters << QRegularExpression::escape(QString(c));
    const QRegularExpression name(QStringLiteral(R"(^\s*%1\s*:)").arg(characters.join(QStringLiteral(R"(\s*)"))),
                                  QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = name.match(line);
    if (!match.hasMatch()) return false;
    *setting = {settable.defs[best].name, line.mid(match.capturedEnd()).trimmed()};
    return true;
}

QString ValuesHelp(uint8_t product, const QString &name)
{
    const Settable &settable = SettableFieldsOf(product);
    const FieldDef *def = FindField(settable, name);
    if (!def) return UnknownName(settable, name, product);
    CalImageBytes image{};
    SetImageDefaultBytes(image.data());
    return def->name + QStringLiteral(": ") + ValuesTaken(*def, image);
}

QStringList ValueForms()
{
    return {
        QStringLiteral("NAME is a setting's name as `show` prints it; case and blanks do not matter."),
        QStringLiteral("\"text\"                   a label, quoted: \\\" a quote, \\\\ a backslash, \\xHH a character by its code"),
        QStringLiteral("on, off                  a tick box"),
        QStringLiteral("an item's text           a list, as the page shows it (\"Momentary\")"),
        QStringLiteral("9.5v or 9.5              a trim, in volts"),
        QStringLiteral("115 Hertz, 115 Hz, 115   the PWM frequency"),
        QStringLiteral("a number (with its unit) a spin box or bar: 5, 0.8 s, 100 %, ID 12"),
        QStringLiteral("text                     a label or name field, unquoted, without blanks at its ends"),
        QStringLiteral("VALUE (byte N)           that value held in byte N, as `show` and `diff` print it"),
        QStringLiteral("byte:N                   a raw byte (0..255), where no value reads as it"),
        QStringLiteral("byte N: a number         a byte no setting covers, by its offset"),
    };
}

}  // namespace Catalogue
