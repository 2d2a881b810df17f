#include "ui/pages/quarn/joysticks/joystick_controls.h"

namespace Joy {

namespace {
constexpr int BlankItem = -1;
}  // namespace

const OptionListInfo OptionLists[OptionListCount] = {
    {"TwoHoistButtonDropDown", Off::RedMode, {0, 5, 7}, {}, false},
    {"ThreeHoistButtonDropDown", Off::RedMode, {0, 5, 7}, {}, true},
    {"ThreeWingButtonDropDown", Off::BlueMode, {0, 5, 6, 11},
     {"Disabled (Primary only)", "Safety (Primary)", "Primary / Button Secondary", "Toggle Primary/Secondary"}, true},
    {"plowoptions", Off::GreenMode, {0, 5, 12}, {}, true},
    {"ComboBox1", Off::RedMode, {0, 5, 7, 6, 11, 14, 12}, {}, true},
    {"ComboBox3", Off::GreenMode, {0, 5, 12, 6, 11, 14}, {}, true},
    {"ComboBox2", Off::BlueMode, {0, 5, 6, 11, 14, 12}, {}, true},
    {"ComboBox12", Off::RedMode, {0, 5, 7, 12, 14}, {}, true},
    {"ComboBox13", Off::GreenMode, {0, 5, 7, 12, 14, 6, 11, BlankItem}, {}, true},
    {"ComboBox14", Off::BlueMode, {0, 5, 7, 12, 14, 6, 11, BlankItem}, {}, true},
    {"ComboBox15", Off::YellowMode, {0, 5, 7, 12, 14, 6, 11, BlankItem}, {}, true},
};

QStringList OptionItems(const OptionListInfo &list)
{
    if (!list.texts.isEmpty()) return list.texts;
    QStringList items;
    for (int code : list.codes) items << (code == BlankItem ? QString() : StickOptionText(code));
    return items;
}

int OptionCode(const OptionListInfo &list, int item)
{
    if (item < 0 || item >= int(list.codes.size())) return Code::Inactive;
    return list.codes[size_t(item)] == BlankItem ? Code::Inactive : list.codes[size_t(item)];
}

int OptionItemOfCode(const OptionListInfo &list, int code)
{
    for (size_t i = 0; i < list.codes.size(); ++i)
        if (list.codes[i] == code) return int(i);
    return 0;
}

}  // namespace Joy
