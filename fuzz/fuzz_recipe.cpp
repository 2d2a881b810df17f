// Feeds arbitrary text to the recipe reader and the settings it reads to the
// catalogue's edit rules, as apply does: the first byte chooses the product (modulo their
// number, in the order of the product code table: '0' the Quarn 2, '1' the Dorsell, '3' the
// Brennic), the rest is the recipe. Every setting line read splits into a name and a value; the edit rules take all of the
// settings or none, leaving the image as it was when they refuse; and settings taken once hold,
// so taking them again changes nothing.
#include "core/image_defaults.h"
#include "core/catalog/catalogue.h"
#include "core/catalog/recipe.h"
#include "core/variants.h"

#include <cstdint>
#include <cstdlib>
#include <iterator>

namespace {

void Require(bool condition)
{
    if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0) return 0;
    const uint8_t letter = uint8_t(Variants()[data[0] % Variants().size()].letter);
    uint8_t product = 0;
    Require(Catalogue::ProductFromLetter(QString(QChar(letter)), &product));
    const QByteArray text(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1));

    Catalogue::Recipe recipe;
    Catalogue::RecipeFault fault;
    const bool read = Catalogue::ReadRecipe(text, &recipe, &fault);
    Require(read || (fault.line >= 0 && !fault.reason.isEmpty()));
    QList<Catalogue::Setting> settings;
    for (qsizetype i = 0; i < recipe.lines.size(); ++i) {
        const Catalogue::RecipeLine &line = recipe.lines[i];
        Require(line.number > (i ? recipe.lines[i - 1].number : 0));
        settings << Catalogue::SettingOfLine(line.text, product);
        Require(!settings.last().name.trimmed().isEmpty());
    }

    CalImageBytes image{};
    SetImageDefaultBytes(image.data());
    const CalImageBytes before = image;
    Catalogue::SettingsRefusal refusal;
    if (!Catalogue::ApplySettings(image, product, settings, &refusal)) {
        Require(image == before && !refusal.text.isEmpty() && refusal.setting >= 0 && refusal.setting < settings.size());
        Require(refusal.other < settings.size() && refusal.other != refusal.setting);
        return 0;
    }
    const CalImageBytes taken = image;
    Require(Catalogue::ApplySettings(image, product, settings, &refusal) && image == taken);
    return 0;
}
