#include "ui/pages/frequencycontrol.h"

#include "core/calimage.h"
#include "core/conversions.h"
#include "core/image_layout.h"
#include "core/catalog/frequencybar.h"

#include <QAbstractSlider>
#include <QLabel>
#include <QSignalBlocker>

namespace {
void ShowPosition(QAbstractSlider *bar, QLabel *label, int position)
{
    const QSignalBlocker quiet(bar);
    bar->setValue(position);
    label->setText(HertzText(position));
}
}  // namespace

void ShowFrequencyBar(QAbstractSlider *bar, QLabel *label, const FrequencyBar &curve)
{
    ShowPosition(bar, label, FrequencyPosition(curve, CalImage[Off::Frequency]));
}

int FrequencyBarByte(const QAbstractSlider *bar, const FrequencyBar &curve)
{
    return FrequencyByteForPosition(curve, bar->value());
}
