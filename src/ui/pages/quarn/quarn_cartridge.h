#pragma once
// The controller's one cartridge ("CART") output and its six uses, spread over four tabs. At most
// one use is on: ticking one clears and greys the others, unticking it frees them again.
#include "core/catalog/quarn_cartridge_uses.h"
#include "ui/pages/quarn/quarnpage.h"

#include <QObject>

class QCheckBox;

class QuarnCartridgePort : public QObject {
    Q_OBJECT
public:
    explicit QuarnCartridgePort(QuarnPage &page);

    void Build();
    void Load();

    // Shared handler of the six boxes.
    void CartridgeUseClick(int use, bool checked);

private:
    static constexpr int UseCount = QuarnCartridgeUses::UseCount;

    QuarnPage &m_page;
    QCheckBox *m_boxes[UseCount] = {};
};
