#include "editor/pages/frequencycontrol.h"

#include "app/calimage.h"
#include "app/conversions.h"
#include "app/image_layout.h"
#include "catalog/frequencybar.h"

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

void LoadFrequencyBar(QAbstractSlider *bar, QLabel *label, const FrequencyBar &curve)
{
    uint8_t &byte = CalImage[Off::Frequency];
    byte = ShownFrequencyByte(curve, byte);
    ShowPosition(bar, label, FrequencyPosition(curve, byte));
}

int StoreFrequencyBar(QAbstractSlider *bar, QLabel *label, const FrequencyBar &curve)
{
    uint8_t &byte = CalImage[Off::Frequency];
    byte = FrequencyByteForPosition(curve, bar->value());
    const int shown = FrequencyPosition(curve, byte);
    ShowPosition(bar, label, shown);
    return shown;
}
