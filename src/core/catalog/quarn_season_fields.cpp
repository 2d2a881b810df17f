// The season bytes of the Quarn 2 as fields: the summer and winter output sets by the groups
// ticked, and the byte that holds the C groups of both sets beside the season mode.
#include "core/catalog/fielddefs.h"
#include "core/catalog/quarn_seasons.h"

namespace Catalogue {

namespace {
using namespace QuarnSeasons;

const QString NoGroup = QStringLiteral("none");

bool BitOf(uint8_t b, int bit) { return (b >> bit) & 1; }

// The groups of one season ticked in the byte at `offset` ("A1 / A2, B7 / B8"), "none" for none.
QString GroupsTicked(uint8_t b, int offset, bool winter)
{
    QStringList groups;
    for (const SeasonBit &entry : SeasonBits)
        if ((winter ? entry.winterByte : entry.summerByte) == offset && BitOf(b, winter ? entry.winterBit : entry.summerBit))
            groups << QString::fromLatin1(entry.caption);
    return groups.isEmpty() ? NoGroup : groups.join(QStringLiteral(", "));
}

FieldDef SeasonSetField(int offset, bool winter)
{
    FieldDef def = ByteField(QString::fromLatin1(winter ? WinterCaption : SummerCaption), offset,
                             [offset, winter](uint8_t b) { return GroupsTicked(b, offset, winter); });
    def.byNumberToo = true;
    return def;
}
}  // namespace

void AddQuarnSeasonFields(FieldDefs &defs)
{
    defs << SeasonSetField(Q::SummerOutputMask, false) << SeasonSetField(Q::WinterOutputMask, true);
    // "Yes; Summer Outputs C1 / C2; Winter Outputs none"
    FieldDef mode = ByteField(QString::fromLatin1(ModeCaption), Q::SeasonModeFlags, [](uint8_t b) {
        return QStringLiteral("%1; %2 %3; %4 %5")
            .arg(QString::fromLatin1(BitOf(b, ModeActiveBit) ? ModeYes : ModeNo), QString::fromLatin1(SummerCaption),
                 GroupsTicked(b, Q::SeasonModeFlags, false), QString::fromLatin1(WinterCaption),
                 GroupsTicked(b, Q::SeasonModeFlags, true));
    });
    mode.byNumberToo = true;
    defs << mode;
}

}  // namespace Catalogue
