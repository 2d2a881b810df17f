#pragma once
// The Quarn page's own controls and storing rules, on top of the shared control builders.
#include "core/catalog/quarn_lists.h"
#include "ui/widgets/controls.h"

#include <QByteArray>
#include <QRect>
#include <QStringList>

#include <cstdint>

class QCheckBox;
class QScrollBar;
class QSpinBox;
class QWidget;

// A scroll bar that takes the focus when clicked, as the bars of the form toolkit do, so an edit
// that stores on leaving (a float name) is stored before the bar's handler refreshes the page.
QScrollBar *NewQuarnFocusBar(QWidget *parent, const char *name, Qt::Orientation orientation, int minimum, int maximum,
                             const QRect &place);
// A vertical trim bar: top end 1 (the highest voltage) to 253, steps 20 and 2.
QScrollBar *NewQuarnTrimBar(QWidget *parent, const char *name, const QRect &place);

// The trim pairing rule (moving one side past the other drags the other along) is the core's.
#include "core/catalog/trimpair.h"

// Stores a control's value in the shown image through the core's edit rule of the field at
// `offset` (its one byte, or every byte of a text field); false where the control cannot store it.
bool StoreField(int offset, const QByteArray &bytes);
bool StoreByte(int offset, int value);

// Shows a flag byte in a check box: ticked when it is 1.
void LoadFlagBox(QCheckBox *box, uint8_t flag);
