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

void LoadFrequencyBar(QAbstractSlider *bar, QLabel *label, const FrequencyBar &curve)
{
    uint8_t &byte = CalImage[Off::Frequency];
    byte = ShownFrequencyByte(curve, byte);
    ShowPosition(bar, label, FrequencyPosition(curve, byte));
}

void ShowFrequencyBar(QAbstractSlider *bar, QLabel *label, const FrequencyBar &curve)
{
    ShowPosition(bar, label, FrequencyPosition(curve, CalImage[Off::Frequency]));
}

int FrequencyBarByte(const QAbstractSlider *bar, const FrequencyBar &curve)
{
    return FrequencyByteForPosition(curve, bar->value());
}

int StoreFrequencyBar(QAbstractSlider *bar, QLabel *label, const FrequencyBar &curve)
{
    uint8_t &byte = CalImage[Off::Frequency];
    byte = FrequencyByteForPosition(curve, bar->value());
    const int shown = FrequencyPosition(curve, byte);
    ShowPosition(bar, label, shown);
    return shown;
}
