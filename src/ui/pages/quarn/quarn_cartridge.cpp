#include "ui/pages/quarn/quarn_cartridge.h"

#include "core/calimage.h"
#include "core/image_layout.h"
#include "core/catalog/quarn_cartridge_uses.h"
#include "core/catalog/quarn_rules.h"
#include "ui/pages/quarn/quarn_cartridge_controls.h"
#include "ui/pages/quarn/quarn_controls.h"

#include <QCheckBox>

using namespace Off::Quarn;
using namespace QuarnCartridgeUses;

QuarnCartridgePort::QuarnCartridgePort(QuarnPage &page) : QObject(&page), m_page(page) {}

void QuarnCartridgePort::Build()
{
    for (int use = 0; use < UseCount; ++use) {
        const CartridgeUse &u = Uses[use];
        const CartridgeUseControls &controls = ControlsAt(UsesControls, u.offset);
        m_boxes[use] = NewCheckBox(m_page.tabPage(u.tab), controls.name, u.caption, controls.place);
        connect(m_boxes[use], &QCheckBox::toggled, this, [this, use](bool checked) { CartridgeUseClick(use, checked); });
    }
}

void QuarnCartridgePort::CartridgeUseClick(int use, bool checked)
{
    StoreByte(Uses[use].offset, checked);
    if (checked) {
        // Untick first (each unticked box frees the others), then grey them all.
        for (int other = 0; other < UseCount; ++other)
            if (QuarnRules::CartridgeUseGoverns(use, other)) m_boxes[other]->setChecked(false);
        for (int other = 0; other < UseCount; ++other)
            if (QuarnRules::CartridgeUseGoverns(use, other)) m_boxes[other]->setEnabled(false);
    } else {
        for (int other = 0; other < UseCount; ++other)
            if (QuarnRules::CartridgeUseGoverns(use, other)) m_boxes[other]->setEnabled(true);
    }
}

void QuarnCartridgePort::Load()
{
    // The image holds at most one use. Float four's use greys the uses it governs; any other use
    // greys only the camera trigger, which it governs; the camera trigger greys nothing.
    int taken = -1;
    for (int use = 0; use < UseCount; ++use)
        if (taken < 0 && CalImage[Uses[use].offset] == 1) taken = use;
    for (int use = 0; use < UseCount; ++use) {
        m_boxes[use]->setChecked(use == taken);
        const bool greyed = taken >= 0 && QuarnRules::CartridgeUseGoverns(taken, use) && (taken == Float4Use || use == CameraUse);
        m_boxes[use]->setEnabled(!greyed);
    }
}
