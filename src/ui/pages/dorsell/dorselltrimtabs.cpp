// The "Plow" and "Hoist/Hook" tabs: the trim groups, their bars and test buttons.
#include "core/calimage.h"
#include "core/conversions.h"
#include "ui/editorhost.h"
#include "ui/pages/dorsell/dorsellpage.h"
#include "ui/pages/dorsell/dorsellwidgets.h"
#include "ui/widgets/livetestbutton.h"
#include "ui/pages/dorsell/dorsell_trim_controls.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
constexpr int TrimGroupWidth = 92;
const char *const RunOnNote = "NOTE: INCREASING MAX TRIM ABOVE FACTORY SETTING MAY CAUSE VALVE RUN ON.  ";
}  // namespace

void DorsellPage::BuildTrimTab(QWidget *tab, DorsellTrimTab which)
{
    auto *column = new QVBoxLayout(tab);
    column->setContentsMargins(4, 4, 4, 4);
    auto *row = new QHBoxLayout;
    row->setSpacing(4);
    for (int i = 0; i < DorsellTrimGroupCount; ++i)
        if (DorsellTrimGroups[i].tab == which) row->addWidget(BuildTrimGroup(i, tab));
    row->addStretch(1);
    column->addLayout(row);
    column->addStretch(1);
    column->addWidget(new QLabel(QString::fromLatin1(RunOnNote), tab));
}

QGroupBox *DorsellPage::BuildTrimGroup(int group, QWidget *parent)
{
    const DorsellTrimControls &names = ControlsAt(DorsellTrimGroupControls, DorsellTrimGroups[group].minOffset);
    TrimControls &c = m_trims[group];
    c.box = NewGroup(parent, names.box, QString());
    c.box->setFixedWidth(TrimGroupWidth);
    auto *grid = new QGridLayout(c.box);
    grid->setContentsMargins(4, 4, 4, 4);
    grid->setVerticalSpacing(3);
    grid->addWidget(NewLabel(c.box, nullptr, QStringLiteral("Min"), {}, Qt::AlignCenter), 0, 0);
    grid->addWidget(NewLabel(c.box, nullptr, QStringLiteral("Max"), {}, Qt::AlignCenter), 0, 1);
    c.minBar = NewDorsellTrimBar(c.box, names.minBar);
    c.maxBar = NewDorsellTrimBar(c.box, names.maxBar);
    grid->addWidget(c.minBar, 1, 0, Qt::AlignHCenter);
    grid->addWidget(c.maxBar, 1, 1, Qt::AlignHCenter);
    c.minLabel = NewLabel(c.box, names.minLabel, QString(), {}, Qt::AlignCenter);
    c.maxLabel = NewLabel(c.box, names.maxLabel, QString(), {}, Qt::AlignCenter);
    grid->addWidget(c.minLabel, 2, 0);
    grid->addWidget(c.maxLabel, 2, 1);
    LiveTestButton *minTest = NewLiveTestButton(c.box, names.minButton, false);
    LiveTestButton *maxTest = NewLiveTestButton(c.box, names.maxButton, true);
    c.minButton = minTest;
    c.maxButton = maxTest;
    grid->addWidget(c.minButton, 3, 0, 1, 2);
    grid->addWidget(c.maxButton, 4, 0, 1, 2);

    connect(c.minBar, &QScrollBar::valueChanged, this, [this, group] { TrimMinChange(group); });
    connect(c.maxBar, &QScrollBar::valueChanged, this, [this, group] { TrimMaxChange(group); });
    connect(minTest, &LiveTestButton::testStarted, this, [this, group] { TestButtonMouseDown(group, false); });
    connect(maxTest, &LiveTestButton::testStarted, this, [this, group] { TestButtonMouseDown(group, true); });
    connect(minTest, &LiveTestButton::testEnded, this, [this, group] { TestButtonMouseUp(group); });
    connect(maxTest, &LiveTestButton::testEnded, this, [this, group] { TestButtonMouseUp(group); });
    return c.box;
}

void DorsellPage::TrimMinChange(int group)
{
    host().EditByte(DorsellTrimGroups[group].minOffset, SliderPositionToTrim(m_trims[group].minBar->value()));
}

void DorsellPage::TrimMaxChange(int group)
{
    host().EditByte(DorsellTrimGroups[group].maxOffset, SliderPositionToTrim(m_trims[group].maxBar->value()));
}

void DorsellPage::TestButtonMouseDown(int group, bool maxSide)
{
    // The trim in the image now, so an edit not yet sent is what the output is driven at.
    const DorsellTrimGroup &g = DorsellTrimGroups[group];
    host().TestPress(g.testCode, CalImage[maxSide ? g.maxOffset : g.minOffset]);
}

void DorsellPage::TestButtonMouseUp(int group) { host().TestReleaseZeroLevel(DorsellTrimGroups[group].testCode); }

void DorsellPage::LoadTrims()
{
    for (int i = 0; i < DorsellTrimGroupCount; ++i) {
        const DorsellTrimGroup &g = DorsellTrimGroups[i];
        const TrimControls &c = m_trims[i];
        c.minBar->setValue(TrimToSliderPosition(CalImage[g.minOffset]));
        c.maxBar->setValue(TrimToSliderPosition(CalImage[g.maxOffset]));
        c.minLabel->setText(TrimVoltsText(CalImage[g.minOffset]));
        c.maxLabel->setText(TrimVoltsText(CalImage[g.maxOffset]));
    }
}
