// Settings by name: each named field of the product's page (and "byte N" for a byte no field
// covers) set to a value in the page's words, through the rule of the field's control.
#include "catalog/edits.h"

#include "catalog/catalogue.h"
#include "catalog/editvalue.h"
#include "catalog/fielddefs.h"

#include <QRegularExpression>

#include <array>

namespace Catalogue {

namespace {

QString NameKey(const QString &name) { return name.simplified().toCaseFolded(); }

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

struct Named {
    const FieldDef *def;
    QString value;
    bool last;  // the last setting of its field: the one it ends at
};
}  // namespace

bool ApplySettings(CalImageBytes &image, uint8_t product, const QList<Setting> &settings, QString *refusal)
{
    const Settable &defs = SettableFieldsOf(product);
    QList<Named> named;
    for (const Setting &setting : settings) {
        const FieldDef *def = FindField(defs, setting.name);
        if (!def) {
            if (refusal) *refusal = QStringLiteral("no setting named '%1' on %2").arg(setting.name.simplified(), PageName(product));
            return false;
        }
        for (Named &earlier : named)
            if (earlier.def == def) earlier.last = false;
        named.append({def, setting.value, true});
    }

    // Each setting applies its control's rule in turn; then every field named ends at its own
    // bytes, whatever a later setting's dependents did to it. A value read through other bytes (a
    // remote switch through its button's mode) is settled again once those stand as set.
    CalImageBytes work = image;
    constexpr int MostPasses = 3;
    for (int pass = 0; pass < MostPasses; ++pass) {
        QList<QByteArray> ends;
        for (const Named &n : named) {
            const Resolved resolved = ResolveValue(*n.def, work, n.value);
            if (!resolved.ok) {
                if (refusal) *refusal = QStringLiteral("%1: %2 %3").arg(n.def->name, n.value.simplified(), resolved.why);
                return false;
            }
            if (!resolved.kept) {
                const CalImageBytes before = work;
                Store(work, *n.def, resolved.raw);
                if (n.def->edit.after && resolved.byControl) n.def->edit.after(work, before);
            }
            ends << resolved.raw;
        }
        for (qsizetype i = 0; i < named.size(); ++i)
            if (named[i].last) Store(work, *named[i].def, ends[i]);
        bool settled = true;
        for (const Named &n : named)
            if (n.last) settled = settled && ResolveValue(*n.def, work, n.value).kept;
        if (settled) break;
    }
    image = work;
    return true;
}

bool SplitSettingLine(const QString &line, uint8_t product, Setting *setting)
{
    const QString folded = line.simplified().toCaseFolded();
    const Settable &settable = SettableFieldsOf(product);
    const FieldDef *best = nullptr;
    for (qsizetype i = 0; i < settable.keys.size(); ++i) {
        const QString &key = settable.keys[i];
        if (folded.size() > key.size() && folded.at(key.size()) == QLatin1Char(':') && folded.startsWith(key) &&
            (!best || key.size() > best->name.size()))
            best = &settable.defs[i];
    }
    if (!best) return false;
    // The value keeps its own blanks (a label's inner spaces); the name may be spaced any way.
    QStringList words = best->name.simplified().split(QLatin1Char(' '));
    for (QString &word : words) word = QRegularExpression::escape(word);
    const QRegularExpression name(QStringLiteral(R"(^\s*%1\s*:)").arg(words.join(QStringLiteral(R"(\s+)"))),
                                  QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = name.match(line);
    if (!match.hasMatch()) return false;
    *setting = {best->name, line.mid(match.capturedEnd()).trimmed()};
    return true;
}

QStringList ValueForms()
{
    return {
        QStringLiteral("NAME is a setting's name as `show` prints it; case and blanks do not matter."),
        QStringLiteral("on, off                  a tick box"),
        QStringLiteral("an item's text           a list, as the page shows it (\"Momentary\")"),
        QStringLiteral("9.5v or 9.5              a trim, in volts"),
        QStringLiteral("115 Hertz, 115 Hz, 115   the PWM frequency"),
        QStringLiteral("a number (with its unit) a spin box or bar: 5, 0.8 s, 100 %, ID 12"),
        QStringLiteral("text                     a label or name field"),
        QStringLiteral("VALUE (byte N)           that value held in byte N, as `show` and `diff` print it"),
        QStringLiteral("byte:N                   a raw byte (0..255), where no value reads as it"),
        QStringLiteral("byte N: a number         a byte no setting covers, by its offset"),
    };
}

}  // namespace Catalogue
