#include "editor/pages/quarn/quarn_controls.h"

#include "app/conversions.h"

#include <QCheckBox>
#include <QScrollBar>
#include <QSpinBox>
#include <QStringList>

namespace {
constexpr int TrimBarTop = 1;
constexpr int TrimBarBottom = 253;
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
    auto *bar = NewQuarnFocusBar(parent, name, Qt::Vertical, TrimBarTop, TrimBarBottom, place);
    bar->setPageStep(TrimBarLargeStep);
    bar->setSingleStep(TrimBarSmallStep);
    return bar;
}

const QStringList &QuarnPortList()
{
    static const QStringList ports = {"None",    "PORT A6", "PORT A5", "PORT A2", "PORT A1", "PORT A4", "PORT A3",
                                      "PORT A8", "PORT A7", "PORT B2", "PORT B1", "PORT B4", "PORT B3", "PORT B6",
                                      "PORT B5", "PORT B8", "PORT B7", "PORT C2", "PORT C1", "PORT C4", "PORT C3"};
    return ports;
}

const QStringList &QuarnOutputList()
{
    static const QStringList outputs = {
        "None",           "J1A plow down",  "J2A plow up",     "J3A plow right",   "J4A plow left",
        "J5A hoist down", "J6A hoist up",   "J7A toe down",    "J8A toe up",       "J1B heel down",
        "J2B heel up",    "J3B wing slide out", "J4B wing slide in", "J8B blade LEFT", "J7B blade RIGHT",
        "J6B blade UP",   "J5B blade DOWN", "J4C blade2 LEFT", "J3C blade2 RIGHT", "J2C blade2 UP",
        "J1C blade2 DOWN"};
    return outputs;
}

void StoreTrimMin(uint8_t &min, uint8_t &max, int position)
{
    min = SliderPositionToTrim(position);
    max = static_cast<uint8_t>(IntMax(min, max));
}

void StoreTrimMax(uint8_t &min, uint8_t &max, int position)
{
    max = SliderPositionToTrim(position);
    min = static_cast<uint8_t>(IntMin(min, max));
}

void LoadSpin(QSpinBox *spin, uint8_t &byte)
{
    spin->setValue(byte);
    if (spin->value() != byte) byte = static_cast<uint8_t>(spin->value());
}

void LoadFlagBox(QCheckBox *box, uint8_t &flag)
{
    const bool on = flag == 1;
    if (!on) flag = 0;
    box->setChecked(on);
}
