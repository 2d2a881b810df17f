// Brennic timings, ratios, cushions, ramps and option boxes: each control stores its byte at
// once; a cylinder's deceleration start point never passes its run time.
#include "ui/pages/brennic/brennicpage.h"

#include "core/calimage.h"
#include "core/catalog/brennic_couplings.h"
#include "ui/pages/brennic/brennic_controls.h"
#include "ui/editorhost.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QScrollBar>
#include <QSpinBox>

using namespace Brennic;

namespace {
constexpr int RampCaptionY = 20, RampLineH = 20, RampSpinX = 92, RampSpinW = 50, RampPercentY = 44;
constexpr int RampMargin = 8;

QRect RampPlace(int slot)
{
    return QRect(RightX + (slot % 2) * (RampW + RampGap), RampGap + (slot / 2) * (RampH + RampGap), RampW, RampH);
}
}  // namespace

void BrennicPage::BuildValueBar(int b)
{
    const ValueBar &v = ValueBars[b];
    const ValueBarNames &controls = ControlsAt(ValueBarsControls, v.offset);
    BarGroupParts parts = NewBarGroup(m_tabs[v.tab], QString::fromLatin1(controls.bar), QString::fromLatin1(controls.label),
                                      QString::fromLatin1(v.group), QString::fromLatin1(v.caption), v.min, v.max,
                                      controls.place.rect());
    m_bars[b] = parts.bar;
    m_barLabels[b] = parts.label;
    m_barLabels[b]->setText(BarText(v.kind, m_bars[b]->value()));
    m_barPartner[b] = PartnerBar(b);
    connect(m_bars[b], &QScrollBar::valueChanged, this, [this, b] { ValueBarChange(b); });
}

void BrennicPage::BuildRampGroup(int r)
{
    const RampGroup &ramp = RampGroups[r];
    const RampGroupNames &controls = ControlsAt(RampGroupControls, ramp.rateOffset);
    const QString rateName = QString::fromLatin1(controls.rateSpin);
    const QString lapsName = QString::fromLatin1(controls.lapsSpin);
    QGroupBox *group =
        NewGroup(m_tabs[ramp.tab], rateName + QStringLiteral("Group"), QString::fromLatin1(ramp.caption), RampPlace(ramp.slot));
    const QRect captionPlace(RampMargin, RampCaptionY, RampSpinX - RampMargin, RampLineH);
    const QRect spinPlace(RampSpinX, RampCaptionY, RampSpinW, RampLineH);
    NewLabel(group, rateName + QStringLiteral("Caption"), QString::fromLatin1(ramp.rateCaption), captionPlace);
    m_ramps[r].rate = NewSpin(group, rateName, Off::Brennic::RampMin, Off::Brennic::RampMax, spinPlace);
    // The update laps are carried for the controller but not offered to the technician.
    NewLabel(group, lapsName + QStringLiteral("Caption"), QStringLiteral("Update Laps"), captionPlace)->hide();
    m_ramps[r].laps = NewSpin(group, lapsName, Off::Brennic::RampMin, Off::Brennic::RampMax, spinPlace);
    m_ramps[r].laps->hide();
    if (controls.percentLabel) {
        m_ramps[r].percent = NewLabel(group, QString::fromLatin1(controls.percentLabel), QString(),
                                      QRect(RampMargin, RampPercentY, RampW - 2 * RampMargin, RampLineH));
        ShowRampPercent(r);
    }
    connect(m_ramps[r].rate, &QSpinBox::valueChanged, this, [this, r] { RampSpinChange(r, false); });
    connect(m_ramps[r].laps, &QSpinBox::valueChanged, this, [this, r] { RampSpinChange(r, true); });
}

void BrennicPage::ValueBarChange(int b)
{
    // The field's rule pulls or pushes the coupled bar's byte; the reload shows it.
    host().EditByte(ValueBars[b].offset, m_bars[b]->value());
}

void BrennicPage::RampSpinChange(int r, bool laps)
{
    const RampGroup &ramp = RampGroups[r];
    if (laps) host().EditByte(ramp.lapsOffset, m_ramps[r].laps->value());
    else host().EditByte(ramp.rateOffset, m_ramps[r].rate->value());
}

void BrennicPage::ShowRampPercent(int r)
{
    if (m_ramps[r].percent) m_ramps[r].percent->setText(RampPercentText(m_ramps[r].rate->value()));
}

void BrennicPage::SpinEdit17Change() { host().EditByte(Off::Brennic::ShakeCount, SpinEdit17->value()); }

void BrennicPage::FlagBoxClick(int i) { host().EditByte(FlagBoxes[i].offset, m_flags[i]->isChecked()); }

void BrennicPage::LoadRamps()
{
    for (int r = 0; r < RampGroupCount; ++r) {
        m_ramps[r].rate->setValue(CalImage[RampGroups[r].rateOffset]);
        m_ramps[r].laps->setValue(CalImage[RampGroups[r].lapsOffset]);
        ShowRampPercent(r);
    }
    SpinEdit17->setValue(CalImage[Off::Brennic::ShakeCount]);
}

void BrennicPage::LoadValueBars()
{
    for (int b = 0; b < ValueBarCount; ++b) {
        m_bars[b]->setValue(CalImage[ValueBars[b].offset]);
        m_barLabels[b]->setText(BarText(ValueBars[b].kind, m_bars[b]->value()));
    }
}

void BrennicPage::LoadFlagBoxes()
{
    for (int i = 0; i < FlagBoxCount; ++i) m_flags[i]->setChecked(CalImage[FlagBoxes[i].offset] == 1);
}
