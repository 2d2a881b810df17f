#include "ui/pages/quarn/quarn_trims.h"

#include "core/calimage.h"
#include "core/conversions.h"
#include "ui/editorhost.h"
#include "ui/pages/quarn/quarn_controls.h"
#include "ui/pages/quarn/quarn_trim_controls.h"
#include "ui/widgets/livetestbutton.h"

#include <QGroupBox>
#include <QLabel>
#include <QScrollBar>

namespace {
const char *const TrimNote = "NOTE: INCREASING MAX TRIM ABOVE FACTORY SETTING MAY CAUSE VALVE RUN ON.  ";

// Places on a trim tab (pixels). Four groups side by side, the output names under them, the note
// below; the option boxes of a tab take the space under the note.
constexpr int GroupLeft = 4, GroupPitch = 146, GroupTop = 4, GroupWidth = 140, GroupHeight = 218;
constexpr int NameHeight = 16;
constexpr QRect NotePlace{4, GroupTop + GroupHeight + NameHeight + 4, 584, 16};
// Inside a group: a column per side (min left, max right).
constexpr int ColumnLeft[2] = {9, 75};
constexpr int ColumnWidth = 56;
constexpr int BarWidth = 17;
constexpr QRect PortPlace{0, 4, GroupWidth, 14};
constexpr int CaptionTop = 20, BarTop = 36, BarHeight = 132, ValueTop = 170, ButtonTop = 188;
constexpr int LineHeight = 14, ButtonHeight = 24, ButtonWidth = 62;

QRect Column(int side, int top, int height) { return {ColumnLeft[side], top, ColumnWidth, height}; }
QRect BarPlace(int side) { return {ColumnLeft[side] + (ColumnWidth - BarWidth) / 2, BarTop, BarWidth, BarHeight}; }
QRect ButtonPlace(int side) { return {ColumnLeft[side] + (ColumnWidth - ButtonWidth) / 2, ButtonTop, ButtonWidth, ButtonHeight}; }

QByteArray Name(const char *stem, const char *suffix) { return QByteArray(stem) + suffix; }
}  // namespace

QuarnTrims::QuarnTrims(QuarnPage &page) : QObject(&page), m_page(page) {}

void QuarnTrims::Build()
{
    int slot[QuarnPage::TabCount] = {};
    for (int i = 0; i < QuarnTrimGroupCount; ++i) {
        QuarnPage::Tab tab = QuarnTrimGroups[i].tab;
        BuildGroup(i, m_page.tabPage(tab), slot[tab]++);
    }
    for (int tab : {QuarnPage::A1A4Tab, QuarnPage::A5A8Tab, QuarnPage::B1B4Tab, QuarnPage::B5B8Tab, QuarnPage::C1C4Tab})
        NewLabel(m_page.tabPage(QuarnPage::Tab(tab)), Name("TrimNote", QByteArray::number(tab)).constData(),
                  QString::fromLatin1(TrimNote), NotePlace);
}

void QuarnTrims::BuildGroup(int index, QWidget *tab, int slot)
{
    const QuarnTrimGroup &g = QuarnTrimGroups[index];
    const QuarnTrimControls &names = ControlsAt(QuarnTrimGroupControls, g.minOffset);
    Controls &c = m_groups[index];
    const int left = GroupLeft + slot * GroupPitch;
    QGroupBox *box = NewGroup(tab, Name(names.stem, "Group").constData(), "", {left, GroupTop, GroupWidth, GroupHeight});
    NewLabel(box, Name(names.stem, "PortLabel").constData(), QString::fromLatin1(g.portLabel), PortPlace, Qt::AlignCenter);
    c.outputName = NewLabel(tab, Name(names.stem, "NameLabel").constData(), QString::fromLatin1(g.outputName),
                             {left, GroupTop + GroupHeight + 2, GroupWidth, NameHeight}, Qt::AlignCenter);

    const char *captions[2] = {"Min", "Max"};
    const char *bars[2] = {names.minBar, names.maxBar};
    const char *values[2] = {names.minValueLabel, names.maxValueLabel};
    const char *buttons[2] = {names.minButton, names.maxButton};
    QScrollBar **barControls[2] = {&c.minBar, &c.maxBar};
    QLabel **valueControls[2] = {&c.minValue, &c.maxValue};
    for (int side = 0; side < 2; ++side) {
        NewLabel(box, Name(names.stem, side ? "MaxCaption" : "MinCaption").constData(), QString::fromLatin1(captions[side]),
                  Column(side, CaptionTop, LineHeight), Qt::AlignCenter);
        QScrollBar *bar = NewQuarnTrimBar(box, bars[side], BarPlace(side));
        *barControls[side] = bar;
        *valueControls[side] = NewLabel(box, values[side], QString(), Column(side, ValueTop, LineHeight), Qt::AlignCenter);
        const bool maxSide = side == 1;
        LiveTestButton *test = NewLiveTestButton(box, buttons[side], maxSide, ButtonPlace(side));
        connect(bar, &QScrollBar::valueChanged, this, [this, index, maxSide](int position) {
            if (maxSide) TrimMaxScrollBarChange(index, position);
            else TrimMinScrollBarChange(index, position);
        });
        connect(test, &LiveTestButton::testStarted, this, [this, index, maxSide] { TestButtonMouseDown(index, maxSide); });
        connect(test, &LiveTestButton::testEnded, this, &QuarnTrims::ButtonMouseUp);
    }
}

void QuarnTrims::LoadBars()
{
    for (int i = 0; i < QuarnTrimGroupCount; ++i) {
        m_groups[i].minBar->setValue(TrimToSliderPosition(CalImage[QuarnTrimGroups[i].minOffset]));
        m_groups[i].maxBar->setValue(TrimToSliderPosition(CalImage[QuarnTrimGroups[i].maxOffset()]));
    }
}

void QuarnTrims::LoadValueLabels()
{
    for (int i = 0; i < QuarnTrimGroupCount; ++i) {
        m_groups[i].minValue->setText(TrimVoltsText(CalImage[QuarnTrimGroups[i].minOffset]));
        m_groups[i].maxValue->setText(TrimVoltsText(CalImage[QuarnTrimGroups[i].maxOffset()]));
    }
}

void QuarnTrims::SetOutputNamesVisible(bool visible)
{
    for (Controls &c : m_groups) c.outputName->setVisible(visible);
}

void QuarnTrims::TrimMinScrollBarChange(int group, int position)
{
    StoreByte(QuarnTrimGroups[group].minOffset, SliderPositionToTrim(position));
    m_page.editor().ImageToControls(false);
}

void QuarnTrims::TrimMaxScrollBarChange(int group, int position)
{
    StoreByte(QuarnTrimGroups[group].maxOffset(), SliderPositionToTrim(position));
    m_page.editor().ImageToControls(false);
}

void QuarnTrims::TestButtonMouseDown(int group, bool maxSide)
{
    const QuarnTrimGroup &g = QuarnTrimGroups[group];
    m_page.editor().TestPress(g.channel, CalImage[maxSide ? g.maxOffset() : g.minOffset]);
}

void QuarnTrims::ButtonMouseUp() { m_page.editor().TestReleaseImmediate(); }
