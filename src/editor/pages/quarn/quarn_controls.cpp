#include "editor/pages/quarn/quarn_controls.h"

#include "app/conversions.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QStringList>

namespace {
constexpr int TrimBarTop = 1;
constexpr int TrimBarBottom = 253;
constexpr int TrimBarLargeStep = 20;
constexpr int TrimBarSmallStep = 2;

template <class W>
W *Named(W *widget, const char *name, const QRect &place)
{
    widget->setObjectName(QString::fromLatin1(name));
    widget->setGeometry(place);
    return widget;
}
}  // namespace

QLabel *MakeLabel(QWidget *parent, const char *name, const QString &text, const QRect &place, int alignment)
{
    auto *label = Named(new QLabel(text, parent), name, place);
    if (alignment) label->setAlignment(Qt::Alignment(alignment));
    return label;
}

QCheckBox *MakeCheckBox(QWidget *parent, const char *name, const char *caption, const QRect &place)
{
    return Named(new QCheckBox(QString::fromLatin1(caption), parent), name, place);
}

QPushButton *MakeButton(QWidget *parent, const char *name, const char *caption, const QRect &place)
{
    return Named(new QPushButton(QString::fromLatin1(caption), parent), name, place);
}

QGroupBox *MakeGroup(QWidget *parent, const char *name, const char *caption, const QRect &place)
{
    return Named(new QGroupBox(QString::fromLatin1(caption), parent), name, place);
}

QSpinBox *MakeSpin(QWidget *parent, const char *name, int minimum, int maximum, const QRect &place)
{
    auto *spin = Named(new QSpinBox(parent), name, place);
    spin->setRange(minimum, maximum);
    return spin;
}

QComboBox *MakeList(QWidget *parent, const char *name, const QStringList &items, const QRect &place)
{
    auto *list = Named(new QComboBox(parent), name, place);
    list->addItems(items);
    list->setMaxVisibleItems(items.size());
    return list;
}

QScrollBar *MakeScrollBar(QWidget *parent, const char *name, Qt::Orientation orientation, int minimum, int maximum,
                          const QRect &place)
{
    auto *bar = Named(new QScrollBar(orientation, parent), name, place);
    bar->setRange(minimum, maximum);
    bar->setFocusPolicy(Qt::StrongFocus);
    return bar;
}

QScrollBar *MakeTrimBar(QWidget *parent, const char *name, const QRect &place)
{
    auto *bar = MakeScrollBar(parent, name, Qt::Vertical, TrimBarTop, TrimBarBottom, place);
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
