#include "ui/pages/quarn/quarn_controls.h"

#include "core/calimage.h"
#include "core/conversions.h"
#include "core/catalog/edits.h"
#include "core/catalog/controlranges.h"

#include <QCheckBox>
#include <QScrollBar>
#include <QStringList>

namespace {
constexpr int TrimBarLargeStep = 20;
constexpr int TrimBarSmallStep = 2;
}  // namespace

QScrollBar *NewQuarnFocusBar(QWidget *parent, const char *name, Qt::Orientation orientation, int minimum, int maximum,
                             const QRect &place)
{
    auto *bar = NewScrollBar(parent, name, orientation, minimum, maximum, place);
    bar->setFocusPolicy(Qt::StrongFocus);
    return bar;
}

QScrollBar *NewQuarnTrimBar(QWidget *parent, const char *name, const QRect &place)
{
    auto *bar = NewQuarnFocusBar(parent, name, Qt::Vertical, ControlRange::QuarnTrimTop, ControlRange::QuarnTrimBottom, place);
    bar->setPageStep(TrimBarLargeStep);
    bar->setSingleStep(TrimBarSmallStep);
    return bar;
}

bool StoreField(int offset, const QByteArray &bytes) { return Catalogue::EditField(CalImage, Product::Quarn, offset, bytes); }

bool StoreByte(int offset, int value) { return StoreField(offset, QByteArray(1, char(uint8_t(value)))); }

void LoadFlagBox(QCheckBox *box, uint8_t flag) { box->setChecked(flag == 1); }
