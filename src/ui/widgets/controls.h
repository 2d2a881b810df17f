#pragma once
// Builders for the controls of the product pages: each makes one control with its object name,
// its caption or contents and its place, so a tab builder reads as a list of what stands where.
// Every builder takes, in this order: the parent, the object name, what the control shows (caption,
// items, range), its place, then any options. An empty name leaves the control unnamed (a static
// caption nothing refers to); a null place leaves the control to a layout.
#include <QAnyStringView>
#include <QRect>
#include <QString>
#include <QStringList>
#include <Qt>

class QCheckBox;
class QColor;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollBar;
class QSpinBox;
class QWidget;

QLabel *NewLabel(QWidget *parent, QAnyStringView name, const QString &text, const QRect &place = {},
                 Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter);
QCheckBox *NewCheckBox(QWidget *parent, QAnyStringView name, const QString &caption, const QRect &place = {});
QPushButton *NewButton(QWidget *parent, QAnyStringView name, const QString &caption, const QRect &place = {});
QGroupBox *NewGroup(QWidget *parent, QAnyStringView name, const QString &caption, const QRect &place = {});
QSpinBox *NewSpin(QWidget *parent, QAnyStringView name, int minimum, int maximum, const QRect &place = {});
QScrollBar *NewScrollBar(QWidget *parent, QAnyStringView name, Qt::Orientation orientation, int minimum, int maximum,
                         const QRect &place = {});

// A drop-down list (no typing) holding `items`. It shows `visibleItems` lines at once when open:
// 0 keeps the toolkit's count, AllItems shows every item.
constexpr int AllItems = -1;
QComboBox *NewDropDown(QWidget *parent, QAnyStringView name, const QStringList &items, const QRect &place = {},
                       int visibleItems = 0);

// A one-line edit; `maxLength` 0 keeps the toolkit's limit.
QLineEdit *NewLineEdit(QWidget *parent, QAnyStringView name, const QRect &place = {}, int maxLength = 0);

// Changes a spin box's range without running its change handler.
void SetSpinRangeQuietly(QSpinBox *spin, int minimum, int maximum);

// The font colour of a caption, or of a group's caption and the captions inside it. Disabled
// captions keep the greyed look of the style.
void SetFontColour(QWidget *widget, const QColor &colour);
