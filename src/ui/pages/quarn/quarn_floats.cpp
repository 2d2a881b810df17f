#include "ui/pages/quarn/quarn_floats.h"

#include "core/calimage.h"
#include "core/conversions.h"
#include "core/image_layout.h"
#include "core/catalog/controlranges.h"
#include "core/catalog/quarn_captions.h"
#include "core/catalog/quarn_float_tables.h"
#include "ui/editorhost.h"
#include "ui/pages/quarn/quarn_controls.h"
#include "ui/pages/quarn/quarn_float_controls.h"
#include "ui/pages/quarn/quarnpage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QSpinBox>
#include <QValidator>


using namespace Off::Quarn;
using namespace QuarnFloatTables;

namespace {
// Name edits take upper case only: typed letters are turned to upper case as they come.
class UpperCaseValidator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString &input, int &) const override
    {
        input = input.toUpper();
        return Acceptable;
    }
};

}  // namespace

QuarnFloats::QuarnFloats(QuarnPage &page) : QObject(&page), m_page(page) {}

void QuarnFloats::Build()
{
    QWidget *tab = m_page.tabPage(QuarnPage::FloatsTab);
    QGroupBox *group = NewGroup(tab, "FloatGroup", "Quarn System Floats:", FloatGroup);
    for (int row = 0; row < RowCount; ++row) {
        const FloatRow &r = FloatRows[row];
        const FloatRowControls &controls = ControlsAt(FloatRowsControls, r.portOffset);
        const int y = RowTop + row * RowPitch;
        NewLabel(group, QByteArray(controls.select).append("Label").constData(), QString::fromLatin1(r.portCaption), {10, y, 76, 22});
        m_selects[row] = NewDropDown(group, controls.select, QuarnPortList(), {88, y, 110, 22}, AllItems);
        NewLabel(group, QByteArray(controls.edit).append("Label").constData(), QString::fromLatin1(r.nameCaption), {216, y, 100, 22});
        QLineEdit *edit = new QLineEdit(group);
        edit->setObjectName(QString::fromLatin1(controls.edit));
        edit->setGeometry(318, y, 70, 22);
        edit->setMaxLength(Off::FloatNameWidth);
        edit->setValidator(new UpperCaseValidator(edit));
        m_names[row] = edit;
        connect(m_selects[row], &QComboBox::activated, this, [this, row](int index) { FloatSelectChange(row, index); });
        if (r.storeOnLeave)
            connect(edit, &QLineEdit::editingFinished, this, [this, row] { FloatNameChange(row); });
        else
            connect(edit, &QLineEdit::textChanged, this, [this, row] { FloatNameChange(row); });
    }
    NewLabel(group, "FloatDelayLabel", QString::fromLatin1(QuarnCaptions::FloatDelay), {420, RowTop, 100, 22});
    floatdelay = NewSpin(group, "floatdelay", ControlRange::FloatDelay.lowest, ControlRange::FloatDelay.highest, {520, RowTop, 52, 22});
    connect(floatdelay, &QSpinBox::valueChanged, this, &QuarnFloats::floatdelayChange);

    auto box = [tab](const Box &b) { return NewCheckBox(tab, b.name, b.caption, b.place); };
    minfloat = box(minfloatBox);
    doubleactingfloat = box(doubleactingBox);
    CheckBox34 = box(forceBlockBox);
    CheckBox19 = box(lockoutBox);
    connect(minfloat, &QCheckBox::toggled, this, &QuarnFloats::minfloatClick);
    connect(doubleactingfloat, &QCheckBox::toggled, this, &QuarnFloats::doubleactingfloatClick);
    connect(CheckBox34, &QCheckBox::toggled, this, &QuarnFloats::CheckBox34Click);
    connect(CheckBox19, &QCheckBox::toggled, this, &QuarnFloats::CheckBox19Click);
}

void QuarnFloats::ResetDefaults()
{
    for (QComboBox *select : m_selects) select->setCurrentIndex(0);
}

// --- Loader ---

void QuarnFloats::LoadFloatPorts()
{
    for (int row = 0; row < RowCount; ++row) m_selects[row]->setCurrentIndex(CalImage[FloatRows[row].portOffset]);
}

void QuarnFloats::LoadFloatNames()
{
    for (int row = 0; row < RowCount; ++row)
        m_names[row]->setText(ReadTextField(CalImage.data(), FloatRows[row].nameOffset, Off::FloatNameWidth));
}

void QuarnFloats::LoadFloatLockout() { LoadFlagBox(CheckBox19, CalImage[FloatLockout]); }

void QuarnFloats::LoadDoubleActingFloat()
{
    LoadFlagBox(doubleactingfloat, CalImage[Float1DoubleActing]);
    LoadFlagBox(CheckBox34, CalImage[Float1ForceBlock]);
}

void QuarnFloats::LoadPressureHoldingFloat() { LoadFlagBox(minfloat, CalImage[Float2PressureHolding]); }

void QuarnFloats::LoadFloatDelay() { floatdelay->setValue(CalImage[FloatDelay]); }

// --- Handlers ---

void QuarnFloats::FloatSelectChange(int row, int index)
{
    StoreByte(FloatRows[row].portOffset, index);
}

void QuarnFloats::FloatNameChange(int row)
{
    // The name as typed, NUL padded (no terminator when full).
    QByteArray name = m_names[row]->text().toLatin1().left(Off::FloatNameWidth);
    name.append(QByteArray(Off::FloatNameWidth - name.size(), '\0'));
    StoreField(FloatRows[row].nameOffset, name);
}

void QuarnFloats::floatdelayChange(int value)
{
    StoreByte(FloatDelay, value);
    m_page.editor().ImageToControls(false);
}

void QuarnFloats::minfloatClick(bool checked)
{
    StoreByte(Float2PressureHolding, checked);
    m_page.editor().ImageToControls(false);
}

void QuarnFloats::doubleactingfloatClick(bool checked)
{
    StoreByte(Float1DoubleActing, checked);  // refused while float one is a force float block
    m_page.editor().ImageToControls(false);
}

void QuarnFloats::CheckBox34Click(bool checked)
{
    // A force float block needs float one double acting.
    StoreByte(Float1ForceBlock, checked);
    if (checked) doubleactingfloat->setChecked(true);
    m_page.editor().ImageToControls(false);
}

void QuarnFloats::CheckBox19Click(bool checked)
{
    StoreByte(FloatLockout, checked);
    m_page.editor().ImageToControls(false);
}
