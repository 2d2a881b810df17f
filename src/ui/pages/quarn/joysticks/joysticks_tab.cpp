// The "Joysticks" tab: the joystick type, the controller ID and one notebook page per layout.
#include "core/catalog/controlranges.h"
#include "core/catalog/quarn_captions.h"
#include "ui/assets.h"
#include "ui/pages/quarn/joysticks/quarnjoystickpart.h"
#include "ui/widgets/controls.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFont>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QSpinBox>
#include <QStackedWidget>

using namespace Joy;

namespace {
// Places on a notebook page: the grip picture on the left, the controls to its right.
constexpr QRect GripPlace{8, 8, 130, 190};
constexpr int Left = 150;
constexpr int RowHeight = 26;
// Three columns, one per stick; the third is wider for its longer option texts.
constexpr int ColumnX[] = {Left, Left + 134, Left + 268};
constexpr int ColumnWidths[] = {130, 130, 170};
int Column(int i) { return ColumnX[i]; }
int ColumnWidth(int i) { return ColumnWidths[i]; }

QString ButtonCaption(int button)
{
    return QString::fromLatin1(Buttons[button].name) + " Button:";
}

QLabel *AddHeading(QWidget *parent, const char *name, const QString &text, const QRect &place)
{
    QLabel *label = NewLabel(parent, name, text, place);
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    return label;
}

// The list of a stick page's layouts, captioned "Layout:", at the top of the page.
template <class Layout, size_t N>
QComboBox *AddLayoutList(QWidget *page, const char *name, const Layout (&layouts)[N], int width)
{
    NewLabel(page, nullptr, QStringLiteral("Layout:"), {Left, 11, 50, 16});
    QStringList items;
    for (const Layout &layout : layouts) items << QString::fromLatin1(layout.item);
    return NewDropDown(page, name, items, {Left + 50, 8, width, 22}, ListRows);
}

// Finds the control of every table entry by name and ties its change signal to a handler that
// receives the entry's index; returns the controls in table order.
template <class Control, class Entry, size_t N, class Signal, class Handler>
std::vector<Control *> WireTable(QWidget *tab, QObject *context, const std::array<Entry, N> &table, Signal signal,
                                 Handler handler)
{
    std::vector<Control *> controls;
    for (size_t i = 0; i < table.size(); ++i) {
        auto *control = tab->findChild<Control *>(QString::fromLatin1(table[i].name));
        Q_ASSERT(control);
        controls.push_back(control);
        QObject::connect(control, signal, context, [handler, i](auto value) { handler(i, value); });
    }
    return controls;
}

QByteArray Numbered(const char *format, int n) { return QString::fromLatin1(format).arg(n).toLatin1(); }
}  // namespace

void QuarnJoystickPart::BuildJoysticksTab(QWidget *tab)
{
    NewLabel(tab, nullptr, QStringLiteral("Joystick Type:"), {8, 9, 80, 18});
    QStringList items;
    for (const JoystickPageInfo &page : JoystickPages) items << QString::fromLatin1(page.item);
    JoystickCombo = NewDropDown(tab, "JoystickCombo", items, {90, 6, 170, 22}, ListRows);
    NewLabel(tab, nullptr, QString::fromLatin1(QuarnCaptions::ControllerId), {440, 9, 60, 18});
    IDSpin = NewSpin(tab, "IDSpin", ControlRange::ControllerId.lowest, ControlRange::ControllerId.highest, {500, 6, 70, 22});

    JoystickNotebook = new QStackedWidget(tab);
    JoystickNotebook->setObjectName(QStringLiteral("JoystickNotebook"));
    JoystickNotebook->setGeometry(0, 34, 588, 330);
    QWidget *pages[JoystickPageCount] = {
        BuildFourButtonPage(), BuildSixButtonPage(), BuildEightButtonPage(), BuildTwoStickPage(),
        BuildThreeStickPage(), BuildSlaveModePage(), new QWidget, BuildFourStickPage(),
        BuildGroupsOfTwoPage(M3G2Page), BuildGroupsOfTwoPage(M4G2Page)};
    for (int i = 0; i < JoystickPageCount; ++i) {
        pages[i]->setObjectName(QString::fromLatin1(JoystickPageControl[i].name));
        AddGripPicture(pages[i], i);
        JoystickNotebook->addWidget(pages[i]);
    }
    ConnectJoystickControls(tab);
}

void QuarnJoystickPart::AddGripPicture(QWidget *page, int pageIndex)
{
    const char *picture = JoystickPageControl[pageIndex].picture;
    if (!picture) return;
    EnsureAssets();
    QLabel *grip = NewLabel(page, Numbered("GripImage%1", pageIndex).constData(), QString(), GripPlace);
    grip->setPixmap(QPixmap(QStringLiteral(":/assets/") + QString::fromLatin1(picture))
                        .scaled(GripPlace.size(), Qt::KeepAspectRatio, Qt::SmoothTransformation));
    grip->setAlignment(Qt::AlignCenter);
}

void QuarnJoystickPart::AddButtonRows(QWidget *page, const char *dropDownFormat, const char *editFormat,
                                      int firstButton, int lastButton, int top)
{
    AddHeading(page, nullptr, QStringLiteral("Button"), {Left, top, 90, 16});
    AddHeading(page, nullptr, QStringLiteral("Mode"), {Left + 95, top, 130, 16});
    if (editFormat) AddHeading(page, nullptr, QStringLiteral("Label"), {Left + 235, top, 80, 16});
    int y = top + 18;
    for (int b = firstButton; b <= lastButton; ++b, y += RowHeight) {
        QLabel *caption = NewLabel(page, nullptr, ButtonCaption(b), {Left, y + 3, 90, 16});
        SetFontColour(caption, Buttons[b].customColour);
        NewDropDown(page, Numbered(dropDownFormat, b).constData(), ModeItems(), {Left + 95, y, 130, 22}, ListRows);
        if (editFormat)
            NewLineEdit(page, Numbered(editFormat, b).constData(), {Left + 235, y, 80, 22}, LabelEditLength);
    }
}

void QuarnJoystickPart::AddTriggerControls(QWidget *page, int which, int top, bool withAlwaysLive)
{
    static const char *const triggerNames[] = {"ModeButtonsAreTriggerCheckbox", "ModeButtonsAreTriggerCheckbox2",
                                               "ModeButtonsAreTriggerCheckbox3"};
    static const char *const multiNames[] = {"MultiModeCheckbox", "MultiModeCheckBox2", "MultiModeCheckbox3"};
    static const char *const alwaysLiveNames[] = {"alwayslive", "alwayslive2"};
    static const char *const alwaysLiveTextNames[] = {"alwayslivetext", "alwayslivetext2"};
    m_triggerBoxes[size_t(which)] =
        NewCheckBox(page, triggerNames[which], QString::fromLatin1(QuarnCaptions::ModeButtonsAreTrigger), {Left, top, 200, 20});
    m_multiModeBoxes[size_t(which)] =
        NewCheckBox(page, multiNames[which], QString::fromLatin1(QuarnCaptions::MultiMode), {Left + 235, top, 120, 20});
    if (!withAlwaysLive) return;
    NewLabel(page, nullptr, QString::fromLatin1(QuarnCaptions::AlwaysLiveMode), {Left, top + 29, 95, 16});
    QComboBox *list =
        NewDropDown(page, alwaysLiveNames[which], AlwaysLiveItems(), {Left + 95, top + 26, 130, 22}, ListRows);
    list->setEditable(true);
    list->setInsertPolicy(QComboBox::NoInsert);
    m_alwaysLive[size_t(which)] = list;
    m_alwaysLiveText[size_t(which)] =
        NewLineEdit(page, alwaysLiveTextNames[which], {Left + 235, top + 26, 80, 22}, LabelEditLength);
}

QWidget *QuarnJoystickPart::BuildFourButtonPage()
{
    auto *page = new QWidget;
    AddButtonRows(page, "FourButton%1DropDown", nullptr, NoButton, Green, 8);
    // The four-button grip carries its labels in edits of its own.
    static const char *const edits[] = {"Edit10", "Edit8", "Edit9"};
    AddHeading(page, nullptr, QStringLiteral("Label"), {Left + 235, 8, 80, 16});
    for (int b = NoButton; b <= Green; ++b)
        NewLineEdit(page, edits[b], {Left + 235, 26 + b * RowHeight, 80, 22}, LabelEditLength);
    AddTriggerControls(page, 2, 26 + 3 * RowHeight + 10, false);
    return page;
}

QWidget *QuarnJoystickPart::BuildSixButtonPage()
{
    auto *page = new QWidget;
    AddButtonRows(page, "SixButton%1DropDown", "SixButton%1LabelEdit", NoButton, Yellow, 8);
    AddTriggerControls(page, 0, 26 + 5 * RowHeight + 10, true);
    return page;
}

QWidget *QuarnJoystickPart::BuildEightButtonPage()
{
    auto *page = new QWidget;
    AddButtonRows(page, "EightButton%1DropDown", "EightButton%1LabelEdit", NoButton, Purple, 8);
    AddTriggerControls(page, 1, 26 + 7 * RowHeight + 10, true);
    return page;
}

QWidget *QuarnJoystickPart::BuildSlaveModePage()
{
    auto *page = new QWidget;
    AddButtonRows(page, "SlaveButton%1DropDown", nullptr, Red, Yellow, 8);
    NewLabel(page, nullptr,
             QStringLiteral("This controller runs as a slave: its buttons follow the master controller's joystick."),
             {Left, 26 + 4 * RowHeight + 10, 420, 32})
        ->setWordWrap(true);
    return page;
}

QWidget *QuarnJoystickPart::BuildTwoStickPage()
{
    auto *page = new QWidget;
    TwoStickComboBox = AddLayoutList(page, "TwoStickComboBox", TwoStickLayouts, 230);
    const int columns[2] = {Left, Left + 220};
    Label140 = AddHeading(page, "Label140", QStringLiteral("Plow or JS2"), {columns[0], 44, 210, 16});
    Label142 = AddHeading(page, "Label142", QStringLiteral("Hoist or JS1"), {columns[1], 44, 210, 16});
    TwoJ1Label = NewLabel(page, "TwoJ1Label", QStringLiteral("Plow (port A)"), {columns[0], 64, 210, 16});
    TwoJ2Label = NewLabel(page, "TwoJ2Label", QStringLiteral("Hoist (port A)"), {columns[1], 64, 210, 16});
    NewCheckBox(page, "TwoButton1Checkbox", QStringLiteral("Safety"), {columns[0], 88, 200, 20});
    NewCheckBox(page, "TwoButton2Checkbox", QStringLiteral("Safety"), {columns[1], 88, 200, 20});
    const OptionListInfo &hoist = OptionLists[TwoHoistButtonDropDown];
    NewDropDown(page, hoist.name, OptionItems(hoist), {columns[1], 86, 170, 22}, ListRows);
    return page;
}

QWidget *QuarnJoystickPart::BuildThreeStickPage()
{
    auto *page = new QWidget;
    triomodes = AddLayoutList(page, "triomodes", ThreeStickLayouts, 150);
    for (int i = 0; i < 3; ++i) AddHeading(page, nullptr, Numbered("JS%1", i + 1), {Column(i), 40, ColumnWidth(i), 16});

    // Fixed layouts: each stick's function in words.
    Label13 = NewLabel(page, "Label13", QStringLiteral("Hoist"), {Column(0), 58, ColumnWidth(0), 16});
    Label12 = NewLabel(page, "Label12", QStringLiteral("Plow"), {Column(1), 58, ColumnWidth(1), 16});
    WingBladeLabel = NewLabel(page, "WingBladeLabel", QStringLiteral("Primary Wing (port B)"),
                              {Column(2), 58, ColumnWidth(2), 44});
    WingBladeLabel->setWordWrap(true);
    WingBladeLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // Custom layout: each stick's function chosen from a list.
    Label119 = NewLabel(page, "Label119", QStringLiteral("Primary functions:"), {Column(0), 58, ColumnWidth(0), 16});
    Label120 = NewLabel(page, "Label120", QStringLiteral("JS2 secondary:"), {Column(1), 104, ColumnWidth(1), 16});
    const QRect functionPlaces[] = {{Column(0), 76, ColumnWidth(0), 22}, {Column(1), 76, ColumnWidth(1), 22},
                                    {Column(1), 122, ColumnWidth(1), 22}, {Column(2), 76, ColumnWidth(2), 22}};
    for (size_t i = 0; i < 4; ++i)
        NewDropDown(page, StickFunctionLists[i].name, StickFunctionItems(), functionPlaces[i], ListRows);

    Label14 = NewLabel(page, "Label14", QStringLiteral("Hoist Button:"), {Column(0), 152, ColumnWidth(0), 16});
    Label9 = NewLabel(page, "Label9", QStringLiteral("Plow Button:"), {Column(1), 152, ColumnWidth(1), 16});
    Label10 = NewLabel(page, "Label10", QStringLiteral("Wing/Blade Button:"), {Column(2), 152, ColumnWidth(2), 16});
    const OptionList buttonLists[] = {ThreeHoistButtonDropDown, plowoptions, ThreeWingButtonDropDown};
    for (int i = 0; i < 3; ++i) {
        const OptionListInfo &list = OptionLists[buttonLists[i]];
        NewDropDown(page, list.name, OptionItems(list), {Column(i), 170, ColumnWidth(i), 22}, ListRows);
    }
    NewLabel(page, nullptr, QStringLiteral("Stick labels:"), {Column(0), 202, ColumnWidth(0), 16});
    for (int i = 0; i < 3; ++i)
        NewLineEdit(page, Numbered("Edit%1", i + 1).constData(), {Column(i), 220, 80, 22}, LabelEditLength);
    return page;
}

QWidget *QuarnJoystickPart::BuildFourStickPage()
{
    auto *page = new QWidget;
    // Two rows of two sticks: heading, function, safety box and label each.
    constexpr int blockWidth = 210;
    for (int i = 0; i < 4; ++i) {
        const int x = Left + (i % 2) * (blockWidth + 10);
        const int y = 8 + (i / 2) * 100;
        AddHeading(page, nullptr, Numbered("JS%1", i + 1), {x, y, blockWidth, 16});
        NewDropDown(page, StickFunctionLists[size_t(4 + i)].name, StickFunctionItems(), {x, y + 18, 150, 22}, ListRows);
        NewCheckBox(page, FlagBoxes[size_t(2 + i)].name, QStringLiteral("Safety"), {x, y + 44, 100, 20});
        NewLabel(page, nullptr, QStringLiteral("Label:"), {x + 100, y + 47, 40, 16});
        NewLineEdit(page, Numbered("Edit%1", 4 + i).constData(), {x + 140, y + 44, 70, 22}, LabelEditLength);
    }
    NewLabel(page, nullptr, QStringLiteral("Secondary function:"), {Left, 211, 110, 16});
    NewDropDown(page, StickFunctionLists[8].name, StickFunctionItems(), {Left + 110, 208, 150, 22}, ListRows);
    return page;
}

QWidget *QuarnJoystickPart::BuildGroupsOfTwoPage(int pageIndex)
{
    auto *page = new QWidget;
    const bool fourSticks = pageIndex == M4G2Page;
    const std::vector<OptionList> lists = fourSticks ? std::vector<OptionList>{ComboBox12, ComboBox13, ComboBox14,
                                                                                 ComboBox15}
                                                     : std::vector<OptionList>{ComboBox1, ComboBox3, ComboBox2};
    constexpr int blockWidth = 200;
    for (size_t i = 0; i < lists.size(); ++i) {
        const int x = Left + int(i % 2) * (blockWidth + 20);
        const int y = 8 + int(i / 2) * 52;
        const OptionListInfo &list = OptionLists[lists[i]];
        AddHeading(page, nullptr, Numbered("JS%1 Button", int(i) + 1), {x, y, blockWidth, 16});
        NewDropDown(page, list.name, OptionItems(list), {x, y + 18, blockWidth, 22}, ListRows);
    }
    const FlagBox &latch = FlagBoxes[fourSticks ? FourStickLatchBox : ThreeStickLatchBox];
    NewCheckBox(page, latch.name, QString::fromLatin1(QuarnCaptions::SafetyLatch), {Left, 116, 200, 20});
    NewLabel(page, nullptr,
             QStringLiteral("Each stick works in groups of two outputs; choose the outputs of its primary and "
                            "secondary modes on the Custom tab."),
             {Left, 146, 420, 32})
        ->setWordWrap(true);
    return page;
}

void QuarnJoystickPart::ConnectJoystickControls(QWidget *tab)
{
    connect(JoystickCombo, &QComboBox::activated, this, &QuarnJoystickPart::JoystickComboChange);
    connect(IDSpin, &QSpinBox::valueChanged, this, &QuarnJoystickPart::IDSpinChange);

    m_modeDropDowns = WireTable<QComboBox>(tab, this, ModeDropDowns, &QComboBox::activated,
                                           [this](size_t i, int item) { FourButton1DropDownChange(i, item); });
    m_stickFunctions = WireTable<QComboBox>(tab, this, StickFunctionLists, &QComboBox::activated,
                                            [this](size_t i, int item) { StickFunctionChange(i, item); });
    m_flagBoxes = WireTable<QCheckBox>(tab, this, FlagBoxes, &QCheckBox::toggled,
                                       [this](size_t i, bool ticked) { FlagBoxClick(i, ticked); });
    m_labelEdits = WireTable<QLineEdit>(tab, this, LabelEdits, &QLineEdit::textChanged,
                                        [this](size_t i, const QString &) { SixButtonLabelEditChange(i); });
    for (size_t i = 0; i < LabelEdits.size(); ++i)
        connect(m_labelEdits[i], &QLineEdit::editingFinished, this, [this, i] { SixButtonLabelEditChange(i); });
    for (int i = 0; i < OptionListCount; ++i) {
        auto list = OptionList(i);
        m_optionLists[size_t(i)] = tab->findChild<QComboBox *>(QString::fromLatin1(OptionLists[i].name));
        connect(m_optionLists[size_t(i)], &QComboBox::activated, this,
                [this, list](int item) { StickOptionChange(list, item); });
    }
    for (QCheckBox *box : m_triggerBoxes)
        connect(box, &QCheckBox::toggled, this, &QuarnJoystickPart::ModeButtonsAreTriggerCheckboxClick);
    for (QCheckBox *box : m_multiModeBoxes)
        connect(box, &QCheckBox::toggled, this, &QuarnJoystickPart::MultiModeCheckboxClick);
    for (int i = 0; i < 2; ++i) {
        QComboBox *list = m_alwaysLive[size_t(i)];
        connect(list, &QComboBox::activated, this, [this, i](int item) { alwaysliveChange(i, item); });
        // Typed text counts once the technician leaves the list or presses Enter on a text that
        // names no item (a matching text selects its item, which counts as a choice).
        connect(list->lineEdit(), &QLineEdit::editingFinished, this, [this, i, list] {
            QLineEdit *typed = list->lineEdit();
            if (!typed->isModified()) return;
            typed->setModified(false);
            const int item = list->findText(typed->text(), Qt::MatchExactly);
            if (item >= 0 && item == list->currentIndex()) return;  // already handled as a choice
            alwaysliveChange(i, item);
        });
    }
    connect(TwoStickComboBox, &QComboBox::activated, this, &QuarnJoystickPart::TwoStickComboBoxChange);
    connect(triomodes, &QComboBox::activated, this, &QuarnJoystickPart::triomodesChange);
}
