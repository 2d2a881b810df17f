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

namespace {
}  // namespace

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
    QuarnRules::SetCartridgeUse(CalImage, use, checked);
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
    for (int use = 0; use < UseCount; ++use) {
        if (CalImage[Uses[use].offset] == 1) {
            // The winner clears every other use's byte. It unticks and greys the other boxes;
            // the camera box only when the winner is the cartridge valve (the camera's own turn
            // handles it otherwise).
            auto touches = [use](int other) {
                return other != use && (other != CameraUse || use == CartridgeValveUse);
            };
            for (int other = 0; other < UseCount; ++other)
                if (other != use) CalImage[Uses[other].offset] = 0;
            for (int other = 0; other < UseCount; ++other)
                if (touches(other)) m_boxes[other]->setChecked(false);
            for (int other = 0; other < UseCount; ++other)
                if (touches(other)) m_boxes[other]->setEnabled(false);
            m_boxes[use]->setChecked(true);
            m_boxes[use]->setEnabled(true);
        } else {
            CalImage[Uses[use].offset] = 0;
            m_boxes[use]->setChecked(false);
        }
    }
    // With float four's use off, every box but the camera trigger ends enabled.
    if (CalImage[Uses[Float4Use].offset] == 0)
        for (int use = 0; use < UseCount; ++use)
            if (use != CameraUse) m_boxes[use]->setEnabled(true);
}
