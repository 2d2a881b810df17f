#include "editor/pages/quarn/joysticks/controls.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>

namespace Joy {

namespace {
template <class T>
T *Place(T *control, const char *name, const QRect &place)
{
    if (name) control->setObjectName(QString::fromLatin1(name));
    control->setGeometry(place);
    return control;
}
}  // namespace

QLabel *AddLabel(QWidget *parent, const char *name, const QString &text, const QRect &place)
{
    return Place(new QLabel(text, parent), name, place);
}

QComboBox *AddDropDown(QWidget *parent, const char *name, const QRect &place, const QStringList &items)
{
    auto *box = Place(new QComboBox(parent), name, place);
    box->addItems(items);
    box->setMaxVisibleItems(12);
    return box;
}

QCheckBox *AddCheckBox(QWidget *parent, const char *name, const QString &text, const QRect &place)
{
    return Place(new QCheckBox(text, parent), name, place);
}

QLineEdit *AddLabelEdit(QWidget *parent, const char *name, const QRect &place)
{
    auto *edit = Place(new QLineEdit(parent), name, place);
    edit->setMaxLength(8);
    return edit;
}

QSpinBox *AddSpin(QWidget *parent, const char *name, const QRect &place, int minimum, int maximum)
{
    auto *spin = Place(new QSpinBox(parent), name, place);
    spin->setRange(minimum, maximum);
    return spin;
}

QGroupBox *AddGroup(QWidget *parent, const char *name, const QString &title, const QRect &place)
{
    return Place(new QGroupBox(title, parent), name, place);
}

QPushButton *AddButton(QWidget *parent, const char *name, const QString &text, const QRect &place)
{
    return Place(new QPushButton(text, parent), name, place);
}

void SetFontColour(QWidget *widget, const QColor &colour)
{
    // Disabled captions keep the greyed look of the style.
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Active, QPalette::WindowText, colour);
    palette.setColor(QPalette::Inactive, QPalette::WindowText, colour);
    widget->setPalette(palette);
}

QColor FontColour(const QWidget *widget) { return widget->palette().color(QPalette::WindowText); }

void SetSpinRangeQuietly(QSpinBox *spin, int minimum, int maximum)
{
    const QSignalBlocker quiet(spin);
    spin->setRange(minimum, maximum);
}

}  // namespace Joy
