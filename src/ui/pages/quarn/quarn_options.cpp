#include "ui/pages/quarn/quarn_options.h"

#include "core/calimage.h"
#include "core/image_layout.h"
#include "core/catalog/quarn_captions.h"
#include "core/catalog/quarn_option_tables.h"
#include "ui/pages/quarn/joysticks/quarnjoystickpart.h"
#include "ui/pages/quarn/quarn_controls.h"
#include "ui/pages/quarn/quarn_option_controls.h"
#include "ui/pages/quarn/quarnpage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>

using namespace Off::Quarn;
using namespace QuarnOptionTables;

namespace {

constexpr QRect PanicGroup{4, 4, 584, 128};
constexpr QRect LinkGroup{4, 168, 584, 148};
constexpr int LinkTop = 38, LinkPitch = 26, LinkLeft[2] = {80, 320}, LinkWidth = 200;

const char *const VPlowNotes[] = {"V-PLOW OUTPUTS:", "A1/A2 = UP/DOWN", "A3/A4 = RT WING IN/OUT", "A7/A8 = LT WING IN/OUT",
                                  "MUST BE JS2 PORT", "MULTI-STIX ONLY"};
constexpr QRect VPlowBox{8, 284, 280, 18};
constexpr int NoteLeft = 296, NoteTop = 264, NotePitch = 15;
}  // namespace

QuarnOptions::QuarnOptions(QuarnPage &page) : QObject(&page), m_page(page) {}

void QuarnOptions::Build()
{
    BuildPanicTab();
    BuildVPlow();
    BuildHoistLimit();
    BuildFlags();
}

void QuarnOptions::BuildPanicTab()
{
    QWidget *tab = m_page.tabPage(QuarnPage::PanicTab);
    m_panicOutputs = NewGroup(tab, "PanicGroup", QString::fromLatin1(QuarnCaptions::PanicGroup), PanicGroup);
    QGroupBox *links = NewGroup(tab, "OutputLinkGroup", QString::fromLatin1(QuarnCaptions::OutputLinkGroup), LinkGroup);
    NewLabel(links, "OutputALabel", QStringLiteral("Output A"), {LinkLeft[0], 18, LinkWidth, 16});
    NewLabel(links, "OutputBLabel", QStringLiteral("Output B"), {LinkLeft[1], 18, LinkWidth, 16});
    for (int i = 0; i < int(std::size(OutputLinks)); ++i) {
        const int row = i / 2, column = i % 2;
        if (column == 0)
            NewLabel(links, QByteArray("OutputLinkLabel").append(QByteArray::number(row + 1)).constData(),
                      QString::fromLatin1(QuarnCaptions::OutputLinkRow).arg(row + 1), {10, LinkTop + row * LinkPitch, 60, 22});
        QComboBox *list = NewDropDown(links, ControlsAt(OutputLinksControls, OutputLinks[i].offset).name, QuarnOutputList(),
                                      {LinkLeft[column], LinkTop + row * LinkPitch, LinkWidth, 22}, AllItems);
        connect(list, &QComboBox::activated, this, [this, i](int index) { OutputLinkChange(i, index); });
        m_links << list;
    }
}

void QuarnOptions::BuildVPlow()
{
    QWidget *tab = m_page.tabPage(QuarnPage::A1A4Tab);
    CheckBox31 = NewCheckBox(tab, "CheckBox31", QString::fromLatin1(QuarnCaptions::VPlowAttached), VPlowBox);
    for (int i = 0; i < int(std::size(VPlowNotes)); ++i) {
        QLabel *note = NewLabel(tab, QByteArray("VPlowNote").append(QByteArray::number(i + 1)).constData(),
                                 QString::fromLatin1(VPlowNotes[i]), {NoteLeft, NoteTop + i * NotePitch, 200, NotePitch});
        note->hide();
        m_vplowNotes << note;
    }
    connect(CheckBox31, &QCheckBox::toggled, this, &QuarnOptions::CheckBox31Click);
}

void QuarnOptions::BuildHoistLimit()
{
    QWidget *tab = m_page.tabPage(QuarnPage::A5A8Tab);
    hoistlimitenable = NewCheckBox(tab, "hoistlimitenable", QString::fromLatin1(QuarnCaptions::HoistLimitNC), {Col1 - 2, 304, FlagWidth, FlagHeight});
    hoistNO = NewCheckBox(tab, "hoistNO", QString::fromLatin1(QuarnCaptions::HoistLimitNO), {Col1 - 2, 324, FlagWidth, FlagHeight});
    connect(hoistlimitenable, &QCheckBox::toggled, this, &QuarnOptions::hoistlimitenableClick);
    connect(hoistNO, &QCheckBox::toggled, this, &QuarnOptions::hoistNOClick);
}

void QuarnOptions::BuildFlags()
{
    for (int row = 0; row < int(std::size(FlagBoxes)); ++row) {
        const FlagBox &f = FlagBoxes[row];
        QWidget *parent = nullptr;
        switch (f.where) {
        case Where::Global: parent = m_page.tabPage(QuarnPage::GlobalTab); break;
        case Where::A5A8: parent = m_page.tabPage(QuarnPage::A5A8Tab); break;
        case Where::Panic: parent = m_page.tabPage(QuarnPage::PanicTab); break;
        case Where::PanicOutputs: parent = m_panicOutputs; break;
        case Where::JoystickTabs: break;
        }
        QVector<QCheckBox *> boxes;
        if (parent) {
            const FlagBoxControls &controls = ControlsAt(FlagBoxesControls, f.offset);
            QCheckBox *box = NewCheckBox(parent, controls.name, f.caption, controls.place);
            connect(box, &QCheckBox::toggled, this, [this, row](bool checked) { FlagClick(row, checked); });
            boxes << box;
        }
        m_flagBoxes << boxes;
    }
}

void QuarnOptions::AttachJoystickBoxes()
{
    for (int row = 0; row < int(std::size(FlagBoxes)); ++row) {
        if (FlagBoxes[row].where != Where::JoystickTabs) continue;
        m_flagBoxes[row].clear();
        for (const QString &name : QString::fromLatin1(ControlsAt(FlagBoxesControls, FlagBoxes[row].offset).name).split(QLatin1Char('|')))
            if (auto *box = m_page.findChild<QCheckBox *>(name)) m_flagBoxes[row] << box;
    }
}

// --- Loader ---

void QuarnOptions::LoadVPlow()
{
    LoadFlagBox(CheckBox31, CalImage[VPlowAttached]);
    ShowVPlow(CalImage[VPlowAttached] == 1);
}

void QuarnOptions::LoadHoistLimit()
{
    LoadFlagBox(hoistlimitenable, CalImage[HoistLimitNC]);
    LoadFlagBox(hoistNO, CalImage[HoistLimitNO]);
}

void QuarnOptions::LoadFlags()
{
    for (int row = 0; row < int(std::size(FlagBoxes)); ++row)
        for (QCheckBox *box : m_flagBoxes[row]) LoadFlagBox(box, CalImage[FlagBoxes[row].offset]);
}

void QuarnOptions::LoadOutputLinks()
{
    for (int i = 0; i < m_links.size(); ++i) m_links[i]->setCurrentIndex(CalImage[OutputLinks[i].offset]);
}

// --- Handlers ---

void QuarnOptions::FlagClick(int row, bool checked) { StoreByte(FlagBoxes[row].offset, checked); }

void QuarnOptions::hoistlimitenableClick(bool checked)
{
    StoreByte(HoistLimitNC, checked);
    if (checked) hoistNO->setChecked(false);
}

void QuarnOptions::hoistNOClick(bool checked)
{
    StoreByte(HoistLimitNO, checked);
    if (checked) hoistlimitenable->setChecked(false);
}

void QuarnOptions::CheckBox31Click(bool checked)
{
    StoreByte(VPlowAttached, checked);
    ShowVPlow(checked);
}

void QuarnOptions::ShowVPlow(bool attached)
{
    for (QLabel *note : m_vplowNotes) note->setVisible(attached);
    m_page.joysticks().SetVPlowAttached(attached);
}

void QuarnOptions::OutputLinkChange(int link, int index) { StoreByte(OutputLinks[link].offset, index); }
