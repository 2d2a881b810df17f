#pragma once
// Small factories for the controls of the joystick tabs: each control gets its name, its place and
// the look the tabs share.
#include <QRect>
#include <QStringList>

class QCheckBox;
class QColor;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QWidget;

namespace Joy {

// `name` may be nullptr for a static caption that nothing refers to.
QLabel *AddLabel(QWidget *parent, const char *name, const QString &text, const QRect &place);
QComboBox *AddDropDown(QWidget *parent, const char *name, const QRect &place, const QStringList &items);
QCheckBox *AddCheckBox(QWidget *parent, const char *name, const QString &text, const QRect &place);
// A label edit: at most eight characters, shown in upper case.
QLineEdit *AddLabelEdit(QWidget *parent, const char *name, const QRect &place);
QSpinBox *AddSpin(QWidget *parent, const char *name, const QRect &place, int minimum, int maximum);
QGroupBox *AddGroup(QWidget *parent, const char *name, const QString &title, const QRect &place);
QPushButton *AddButton(QWidget *parent, const char *name, const QString &text, const QRect &place);

// The font colour of a group's caption (and of the captions inside it).
void SetFontColour(QWidget *widget, const QColor &colour);
QColor FontColour(const QWidget *widget);

// Changes a spin box's range without running its change handler.
void SetSpinRangeQuietly(QSpinBox *spin, int minimum, int maximum);

}  // namespace Joy
