// The "Groups of 2 settings" tab: the four-button joystick modes and the output group that each
// joystick axis drives in the groups-of-2 setting.
#include "core/calimage.h"
#include "core/conversions.h"
#include "core/catalog/dorsellitems.h"
#include "ui/editorhost.h"
#include "ui/pages/dorsell/dorsell_combo_controls.h"
#include "ui/pages/dorsell/dorsellpage.h"
#include "ui/pages/dorsell/dorsellwidgets.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QVBoxLayout>

namespace {
constexpr int GroupColumns = 2;  // joystick 1 on the left, joystick 2 on the right
}  // namespace

void DorsellPage::BuildGroupsTab(QWidget *tab)
{
    auto *column = new QVBoxLayout(tab);
    column->setContentsMargins(6, 6, 6, 6);
    column->setSpacing(8);

    auto *modes = NewGroup(tab, "DorsellButtonModesGroup", QString::fromLatin1(DorsellCaptions::ButtonModes));
    auto *form = new QFormLayout(modes);
    for (int i = 0; i < ModeComboCount; ++i) {
        const DorsellCombo &c = DorsellModeCombos[i];
        m_modeCombos[i] = NewDropDown(modes, ControlsAt(DorsellModeComboControls, c.offset).name, DorsellButtonModes());
        form->addRow(QString::fromLatin1(c.caption), m_modeCombos[i]);
        connect(m_modeCombos[i], &QComboBox::activated, this,
                [this, offset = c.offset](int index) { ButtonModeChange(offset, index); });
    }
    column->addWidget(modes, 0, Qt::AlignLeft);

    auto *grid = new QGridLayout;
    grid->setHorizontalSpacing(8);
    const int rows = GroupComboCount / GroupColumns;
    for (int i = 0; i < GroupComboCount; ++i) {
        const DorsellCombo &c = DorsellGroupCombos[i];
        const char *name = ControlsAt(DorsellGroupComboControls, c.offset).name;
        const int row = i % rows, col = (i / rows) * 2;
        m_groupCaptions[i] = NewLabel(tab, QString::fromLatin1(name) + QStringLiteral("Caption"),
                                      QString::fromLatin1(c.caption));
        m_groupCombos[i] = NewDropDown(tab, name, DorsellOutputGroups());
        grid->addWidget(m_groupCaptions[i], row, col);
        grid->addWidget(m_groupCombos[i], row, col + 1);
        connect(m_groupCombos[i], &QComboBox::activated, this,
                [this, offset = c.offset](int index) { OutputGroupChange(offset, index); });
    }
    grid->setColumnStretch(4, 1);
    column->addLayout(grid);
    column->addStretch(1);
}

void DorsellPage::ButtonModeChange(int offset, int index) { host().EditByte(offset, ModeIndexToCode(index)); }

void DorsellPage::OutputGroupChange(int offset, int index) { host().EditByte(offset, index); }

void DorsellPage::SetGroupCombosVisible(bool visible)
{
    for (int i = 0; i < GroupComboCount; ++i) {
        m_groupCombos[i]->setVisible(visible);
        m_groupCaptions[i]->setVisible(visible);
    }
}

void DorsellPage::SetGroupCombosEnabled(bool enabled)
{
    for (QComboBox *combo : m_groupCombos) combo->setEnabled(enabled);
}

void DorsellPage::LoadGroupCombos()
{
    for (int i = 0; i < GroupComboCount; ++i) m_groupCombos[i]->setCurrentIndex(CalImage[DorsellGroupCombos[i].offset]);
}

void DorsellPage::LoadButtonModes()
{
    for (int i = 0; i < ModeComboCount; ++i)
        m_modeCombos[i]->setCurrentIndex(ModeCodeToIndex(CalImage[DorsellModeCombos[i].offset]));
}
