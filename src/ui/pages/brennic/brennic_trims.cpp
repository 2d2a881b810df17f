// Brennic trim groups: two vertical trim bars with their volt labels and two live test buttons
// per hydraulic output.
#include "ui/pages/brennic/brennicpage.h"

#include "core/calimage.h"
#include "core/conversions.h"
#include "ui/editorhost.h"
#include "ui/pages/brennic/brennic_controls.h"
#include "ui/widgets/livetestbutton.h"

#include <QGroupBox>
#include <QLabel>
#include <QScrollBar>


using namespace Brennic;

namespace {
// Inside a trim group (Min side on the left, Max side on the right).
constexpr PageRect GroupPlace[2] = {{4, 4, 130, 284}, {140, 4, 130, 284}};
constexpr PageRect PortPlace = {8, 19, 114, 14};
constexpr PageRect SideCaptionPlace[2] = {{8, 34, 57, 14}, {65, 34, 57, 14}};
constexpr PageRect BarPlace[2] = {{28, 52, 17, 170}, {85, 52, 17, 170}};
constexpr PageRect ValuePlace[2] = {{8, 226, 57, 16}, {65, 226, 57, 16}};
constexpr PageRect ButtonPlace[2] = {{8, 248, 55, 24}, {67, 248, 55, 24}};
constexpr PageRect NotePlace = {4, 294, 266, 56};
const char *const SideCaption[2] = {"Min", "Max"};
}  // namespace

void BrennicPage::BuildTrimGroup(int g)
{
    const TrimGroup &t = TrimGroups[g];
    const TrimGroupNames &c = ControlsAt(TrimGroupControls, t.minOffset);
    QGroupBox *group = NewGroup(m_tabs[t.tab], QString::fromLatin1(c.minBar) + QStringLiteral("Group"),
                                QString::fromLatin1(t.caption), GroupPlace[t.column].rect());
    NewLabel(group, QString::fromLatin1(c.minBar) + QStringLiteral("Port"), QString::fromLatin1(t.port),
             PortPlace.rect(), Qt::AlignCenter);
    const char *const barNames[2] = {c.minBar, c.maxBar};
    const char *const labelNames[2] = {c.minLabel, c.maxLabel};
    const char *const buttonNames[2] = {c.minButton, c.maxButton};
    QScrollBar *bars[2];
    QLabel *labels[2];
    for (int side = 0; side < 2; ++side) {
        const QString barName = QString::fromLatin1(barNames[side]);
        NewLabel(group, barName + QStringLiteral("Caption"), QString::fromLatin1(SideCaption[side]),
                 SideCaptionPlace[side].rect(), Qt::AlignCenter);
        bars[side] =
            NewScrollBar(group, barName, Qt::Vertical, TrimMinPosition, TrimMaxPosition, BarPlace[side].rect());
        bars[side]->setSingleStep(TrimSmallStep);
        bars[side]->setPageStep(TrimLargeStep);
        labels[side] = NewLabel(group, QString::fromLatin1(labelNames[side]),
                                TrimVoltsText(SliderPositionToTrim(bars[side]->value())), ValuePlace[side].rect(),
                                Qt::AlignCenter);
        const bool maxSide = side == 1;
        connect(bars[side], &QScrollBar::valueChanged, this, [this, g, maxSide] { TrimBarChange(g, maxSide); });

        LiveTestButton *button = NewLiveTestButton(group, buttonNames[side], maxSide, ButtonPlace[side].rect());
        connect(button, &LiveTestButton::testStarted, this, [this, g, maxSide] { TestButtonMouseDown(g, maxSide); });
        connect(button, &LiveTestButton::testEnded, this, [this] { ButtonMouseUp(); });
    }
    m_trims[g] = {bars[0], bars[1], labels[0], labels[1]};
}

void BrennicPage::BuildTrimNote(QWidget *tab)
{
    QLabel *note = NewLabel(tab, tab->objectName() + QStringLiteral("Note"),
                            QStringLiteral("NOTE: INCREASING MAX TRIM ABOVE FACTORY SETTING MAY CAUSE VALVE RUN ON.  "),
                            NotePlace.rect(), Qt::AlignLeft | Qt::AlignTop);
    note->setWordWrap(true);
}

void BrennicPage::TrimBarChange(int g, bool maxSide)
{
    const TrimGroup &t = TrimGroups[g];
    const QScrollBar *bar = maxSide ? m_trims[g].maxBar : m_trims[g].minBar;
    host().EditByte(maxSide ? t.maxOffset : t.minOffset, SliderPositionToTrim(bar->value()));
}

void BrennicPage::TestButtonMouseDown(int g, bool maxSide)
{
    const TrimGroup &t = TrimGroups[g];
    host().TestPress(t.testCode, CalImage[maxSide ? t.maxOffset : t.minOffset]);
}

void BrennicPage::ButtonMouseUp() { host().TestReleaseImmediate(); }

void BrennicPage::LoadTrims()
{
    for (int g = 0; g < TrimGroupCount; ++g) {
        m_trims[g].minBar->setValue(TrimToSliderPosition(CalImage[TrimGroups[g].minOffset]));
        m_trims[g].maxBar->setValue(TrimToSliderPosition(CalImage[TrimGroups[g].maxOffset]));
    }
    for (int g = 0; g < TrimGroupCount; ++g) {
        m_trims[g].minLabel->setText(TrimVoltsText(CalImage[TrimGroups[g].minOffset]));
        m_trims[g].maxLabel->setText(TrimVoltsText(CalImage[TrimGroups[g].maxOffset]));
    }
}
