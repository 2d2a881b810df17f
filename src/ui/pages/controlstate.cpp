#include "ui/pages/controlstate.h"

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QButtonGroup>
#include <QComboBox>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QSpinBox>

namespace {
// Unchecks a button that an exclusive group or its own auto-exclusivity would keep checked.
void SetChecked(QAbstractButton *button, bool checked)
{
    QButtonGroup *group = button->group();
    const bool groupExclusive = group && group->exclusive();
    const bool autoExclusive = button->autoExclusive();
    if (!checked) {
        if (groupExclusive) group->setExclusive(false);
        button->setAutoExclusive(false);
    }
    button->setChecked(checked);
    button->setAutoExclusive(autoExclusive);
    if (groupExclusive) group->setExclusive(true);
}
}  // namespace

void ControlState::Capture(QWidget *root)
{
    m_entries.clear();
    for (QWidget *w : root->findChildren<QWidget *>()) {
        Entry e;
        e.control = w;
        if (auto *slider = qobject_cast<QAbstractSlider *>(w)) {
            e.value = slider->value(), e.minimum = slider->minimum(), e.maximum = slider->maximum();
        } else if (auto *spin = qobject_cast<QSpinBox *>(w)) {
            e.value = spin->value(), e.minimum = spin->minimum(), e.maximum = spin->maximum();
        } else if (auto *button = qobject_cast<QAbstractButton *>(w)) {
            if (!button->isCheckable()) continue;
            e.checked = button->isChecked();
        } else if (auto *edit = qobject_cast<QLineEdit *>(w)) {
            // The edit box inside a spin box or drop-down follows its owner.
            if (qobject_cast<QAbstractSpinBox *>(w->parentWidget()) || qobject_cast<QComboBox *>(w->parentWidget()))
                continue;
            e.text = edit->text();
        } else if (auto *list = qobject_cast<QComboBox *>(w)) {
            e.value = list->currentIndex();
        } else {
            continue;
        }
        m_entries.push_back(e);
    }
}

void ControlState::Restore() const
{
    // Unchecked buttons first, so that a radio button checked afterwards is the only one on.
    for (bool pass : {false, true})
        for (const Entry &e : m_entries)
            if (auto *button = qobject_cast<QAbstractButton *>(e.control.data()); button && e.checked == pass) {
                const QSignalBlocker quiet(button);
                SetChecked(button, e.checked);
            }
    for (const Entry &e : m_entries) {
        QWidget *w = e.control.data();
        if (!w) continue;
        const QSignalBlocker quiet(w);
        if (auto *slider = qobject_cast<QAbstractSlider *>(w)) {
            slider->setRange(e.minimum, e.maximum);
            slider->setValue(e.value);
        } else if (auto *spin = qobject_cast<QSpinBox *>(w)) {
            spin->setRange(e.minimum, e.maximum);
            spin->setValue(e.value);
        } else if (auto *edit = qobject_cast<QLineEdit *>(w)) {
            edit->setText(e.text);
        } else if (auto *list = qobject_cast<QComboBox *>(w)) {
            list->setCurrentIndex(e.value);
        }
    }
}
