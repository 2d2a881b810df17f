#include "ui/pages/cscan/cscanpage.h"

#include "core/calimage.h"
#include "core/conversions.h"
#include "core/catalog/frequencybar.h"
#include "ui/editorhost.h"
#include "ui/pages/frequencycontrol.h"
#include "ui/pages/cscan/cscan_controls.h"
#include "ui/pages/quietcontrols.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QScrollBar>
#include <QTabWidget>

using namespace CsCan;
namespace C = Off::CsCan;

namespace {
constexpr PageRect FrequencyPlace = {4, 4, 286, BarGroupHeight};
constexpr PageRect BitRatePlace = {4, 52, 286, 86};
constexpr PageRect PinoutPlace = {8, 146, 282, 150};
// Port groups stacked in the right column of the "Global" tab.
constexpr int PortX = 296, PortW = 286, PortH = 70, PortStep = 76, PortFirstY = 4;
constexpr PageRect PortActivePlace = {8, 42, 200, 20};
// Output groups: two columns of four on each port tab.
constexpr int OutputW = 286, OutputH = 88, OutputColumnStep = 292, OutputRowStep = 90, OutputFirstX = 4,
              OutputFirstY = 2, OutputRows = 4;
constexpr int OutputLineX = 8, OutputLineW = 270, OutputLineH = 14, OutputBarH = 17;
constexpr int OutputLineY[2] = {19, 52};  // the step-time and step-size captions; each bar just below

}  // namespace

CsCanPage::CsCanPage(EditorHost &host, QWidget *parent) : ProductPage(host, parent)
{
    setObjectName(QStringLiteral("CsCanPage"));
    TabbedNotebook3 = NewTabSet(this, QStringLiteral("TabbedNotebook3"), TabCaptions, TabCount, m_tabs,
                                QStringLiteral("CsCanTab"));
    BuildGlobalTab();
    for (int k = 0; k < C::OutputCount; ++k) BuildOutputGroup(k);
}

void CsCanPage::BuildGlobalTab()
{
    QWidget *tab = m_tabs[GlobalTab];
    BarGroupParts frequency =
        NewBarGroup(tab, QStringLiteral("ScrollBar32"), QStringLiteral("Label294"), QString::fromLatin1(FrequencyCaption),
                    QString(), CurveAMinHz, CurveAMaxHz, FrequencyPlace.rect());
    ScrollBar32 = frequency.bar;
    Label294 = frequency.label;
    Label294->setText(HertzText(ScrollBar32->value()));
    connect(ScrollBar32, &QScrollBar::valueChanged, this, [this] { ScrollBar32Change(); });

    QGroupBox *rates = NewGroup(tab, QStringLiteral("CanBusFrequencyGroup"), QString::fromLatin1(BitRateCaption),
                                BitRatePlace.rect());
    for (int i = 0; i < C::BitRateCount; ++i) {
        m_rates[i] = new QRadioButton(QString::fromLatin1(BitRateCaptions[i]), rates);
        m_rates[i]->setObjectName(QString::fromLatin1(BitRateButtons[i].name));
        m_rates[i]->setGeometry(BitRateButtons[i].place.rect());
        connect(m_rates[i], &QRadioButton::toggled, this, [this, i](bool checked) {
            if (checked) RadioButtonClick(i);
        });
    }

    QStringList pinout;
    for (const char *line : PinoutLines) pinout << QString::fromLatin1(line);
    NewLabel(tab, QStringLiteral("PinoutNote"), pinout.join(QLatin1Char('\n')), PinoutPlace.rect(),
             Qt::AlignLeft | Qt::AlignTop);

    for (int p = 0; p < C::PortCount; ++p) {
        const PortGroup &port = PortGroups[p];
        const PortControls &controls = ControlsAt(PortGroupControls, port.idOffset);
        const QString barName = QString::fromLatin1(controls.idBar);
        BarGroupParts parts = NewBarGroup(tab, barName, QString::fromLatin1(controls.idLabel), QString::fromLatin1(port.group),
                                          QString(), 0, C::NetworkIdMax,
                                          QRect(PortX, PortFirstY + p * PortStep, PortW, PortH));
        m_idBars[p] = parts.bar;
        m_idLabels[p] = parts.label;
        m_idLabels[p]->setText(IdText(m_idBars[p]->value()));
        connect(m_idBars[p], &QScrollBar::valueChanged, this, [this, p] { PortIdChange(p); });
        m_active[p] = new QCheckBox(QString::fromLatin1(port.activeCaption), parts.group);
        m_active[p]->setObjectName(QString::fromLatin1(controls.activeBox));
        m_active[p]->setGeometry(PortActivePlace.rect());
        connect(m_active[p], &QCheckBox::toggled, this, [this, p] { PortActiveClick(p); });
    }
}

void CsCanPage::BuildOutputGroup(int output)
{
    const OutputGroup &out = OutputGroups[output];
    const int slot = out.number - 1;
    const QRect place(OutputFirstX + (slot / OutputRows) * OutputColumnStep, OutputFirstY + (slot % OutputRows) * OutputRowStep,
                      OutputW, OutputH);
    const QString caption = OutputCaption(out.port, out.number);
    QGroupBox *group = NewGroup(m_tabs[out.tab], QStringLiteral("Output%1%2Group").arg(QLatin1Char(out.port)).arg(out.number),
                                caption, place);
    static constexpr int Ranges[2][2] = {{C::StepTimeMin, C::StepTimeMax}, {C::StepSizeMin, C::StepSizeMax}};
    for (int side = 0; side < 2; ++side) {
        const int k = 2 * output + side;
        m_outputLabels[k] = NewLabel(group, QStringLiteral("Label%1").arg(FirstOutputLabel + k), QString(),
                                     QRect(OutputLineX, OutputLineY[side], OutputLineW, OutputLineH));
        m_outputBars[k] = NewScrollBar(group, QStringLiteral("ScrollBar%1").arg(FirstOutputBar + k), Qt::Horizontal,
                                       Ranges[side][0], Ranges[side][1],
                                       QRect(OutputLineX, OutputLineY[side] + OutputLineH, OutputLineW, OutputBarH));
        m_outputLabels[k]->setText(OutputText(k, m_outputBars[k]->value()));
        connect(m_outputBars[k], &QScrollBar::valueChanged, this, [this, k] { OutputBarChange(k); });
    }
}

void CsCanPage::StartUp() { TabbedNotebook3->setCurrentIndex(GlobalTab); }

void CsCanPage::LoadImage()
{
    const QuietControls quiet(this);
    ShowFrequencyBar(ScrollBar32, Label294, CurveABar());

    // A bit-rate byte of no known rate leaves the shown choice as it is.
    for (int i = 0; i < C::BitRateCount; ++i)
        if (CalImage[C::CanBitTiming1] == C::BitRates[i].timing1) m_rates[i]->setChecked(true);

    for (int p = 0; p < C::PortCount; ++p) m_active[p]->setChecked(CalImage[PortGroups[p].activeOffset] == 1);
    for (int p = 0; p < C::PortCount; ++p) {
        m_idBars[p]->setValue(CalImage[PortGroups[p].idOffset]);
        m_idLabels[p]->setText(IdText(m_idBars[p]->value()));
    }
    for (int k = 0; k < OutputBarCount; ++k) {
        m_outputBars[k]->setValue(CalImage[C::OutputRamps + k]);
        m_outputLabels[k]->setText(OutputText(k, m_outputBars[k]->value()));
    }
}

void CsCanPage::ScrollBar32Change() { host().EditByte(Off::Frequency, FrequencyBarByte(ScrollBar32, CurveABar())); }

void CsCanPage::RadioButtonClick(int rate)
{
    const C::BitRate &r = C::BitRates[rate];
    host().EditField(C::CanBitTiming1, QByteArray(1, char(r.timing1)) + char(r.timing2) + char(r.timing3));
}

void CsCanPage::PortActiveClick(int p) { host().EditByte(PortGroups[p].activeOffset, m_active[p]->isChecked()); }

void CsCanPage::PortIdChange(int p) { host().EditByte(PortGroups[p].idOffset, m_idBars[p]->value()); }

void CsCanPage::OutputBarChange(int k) { host().EditByte(C::OutputRamps + k, m_outputBars[k]->value()); }
