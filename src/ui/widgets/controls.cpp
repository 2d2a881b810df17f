#include "ui/widgets/controls.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QSpinBox>

namespace {
template <class W>
W *Placed(W *control, QAnyStringView name, const QRect &place)
{
    if (!name.isEmpty()) control->setObjectName(name.toString());
    if (!place.isNull()) control->setGeometry(place);
    return control;
}
}  // namespace

QLabel *NewLabel(QWidget *parent, QAnyStringView name, const QString &text, const QRect &place, Qt::Alignment align)
{
    auto *label = Placed(new QLabel(text, parent), name, place);
    label->setAlignment(align);
    return label;
}

QCheckBox *NewCheckBox(QWidget *parent, QAnyStringView name, const QString &caption, const QRect &place)
{
    return Placed(new QCheckBox(caption, parent), name, place);
}

QPushButton *NewButton(QWidget *parent, QAnyStringView name, const QString &caption, const QRect &place)
{
    return Placed(new QPushButton(caption, parent), name, place);
}

QGroupBox *NewGroup(QWidget *parent, QAnyStringView name, const QString &caption, const QRect &place)
{
    return Placed(new QGroupBox(caption, parent), name, place);
}

QSpinBox *NewSpin(QWidget *parent, QAnyStringView name, int minimum, int maximum, const QRect &place)
{
    auto *spin = Placed(new QSpinBox(parent), name, place);
    spin->setRange(minimum, maximum);
    return spin;
}

QScrollBar *NewScrollBar(QWidget *parent, QAnyStringView name, Qt::Orientation orientation, int minimum, int maximum,
                         const QRect &place)
{
    auto *bar = Placed(new QScrollBar(orientation, parent), name, place);
    bar->setRange(minimum, maximum);
    return bar;
}

QComboBox *NewDropDown(QWidget *parent, QAnyStringView name, const QStringList &items, const QRect &place,
                       int visibleItems)
{
    auto *list = Placed(new QComboBox(parent), name, place);
    list->addItems(items);
    if (visibleItems == AllItems) visibleItems = int(items.size());
    if (visibleItems > 0) list->setMaxVisibleItems(visibleItems);
    return list;
}

QLineEdit *NewLineEdit(QWidget *parent, QAnyStringView name, const QRect &place, int maxLength)
{
    auto *edit = Placed(new QLineEdit(parent), name, place);
    if (maxLength > 0) edit->setMaxLength(maxLength);
    return edit;
}

void SetSpinRangeQuietly(QSpinBox *spin, int minimum, int maximum)
{
    const QSignalBlocker quiet(spin);
    spin->setRange(minimum, maximum);
}

void SetFontColour(QWidget *widget, const QColor &colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Active, QPalette::WindowText, colour);
    palette.setColor(QPalette::Inactive, QPalette::WindowText, colour);
    widget->setPalette(palette);
}
