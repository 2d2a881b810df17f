#include "ui/widgets/guardedtabwidget.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QTabBar>
#include <QWheelEvent>

namespace {
// The tab bar hands every user change to its tab set's guard.
class GuardedTabBar : public QTabBar {
public:
    explicit GuardedTabBar(GuardedTabWidget *owner) : QTabBar(owner), m_owner(owner) {}

protected:
    void mousePressEvent(QMouseEvent *event) override
    {
        int index = tabAt(event->position().toPoint());
        if (event->button() == Qt::LeftButton && index >= 0 && index != currentIndex()) {
            m_owner->requestTab(index);
            event->accept();
            return;
        }
        QTabBar::mousePressEvent(event);
    }
    void keyPressEvent(QKeyEvent *event) override
    {
        int step = 0;
        if (event->key() == Qt::Key_Left || event->key() == Qt::Key_Up) step = -1;
        if (event->key() == Qt::Key_Right || event->key() == Qt::Key_Down) step = 1;
        if (step != 0) {
            int index = currentIndex() + step;
            if (index >= 0 && index < count()) m_owner->requestTab(index);
            event->accept();
            return;
        }
        QTabBar::keyPressEvent(event);
    }
    void wheelEvent(QWheelEvent *event) override { event->ignore(); }

private:
    GuardedTabWidget *m_owner;
};
}  // namespace

GuardedTabWidget::GuardedTabWidget(QWidget *parent) : QTabWidget(parent) { setTabBar(new GuardedTabBar(this)); }

bool GuardedTabWidget::requestTab(int index)
{
    if (index < 0 || index >= count()) return false;
    if (m_guard && !m_guard(index)) return false;
    setCurrentIndex(index);
    return true;
}

void GuardedTabWidget::keyPressEvent(QKeyEvent *event)
{
    if (event->modifiers() & Qt::ControlModifier &&
        (event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab || event->key() == Qt::Key_PageDown ||
         event->key() == Qt::Key_PageUp)) {
        bool back = event->key() == Qt::Key_Backtab || event->key() == Qt::Key_PageUp ||
                    (event->modifiers() & Qt::ShiftModifier);
        if (count() > 0) requestTab((currentIndex() + (back ? count() - 1 : 1)) % count());
        event->accept();
        return;
    }
    QTabWidget::keyPressEvent(event);
}
