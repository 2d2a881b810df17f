#pragma once
// A tab set whose guard may refuse a change of tab before the new tab shows: a click on a tab,
// the arrow keys on the tab bar and Ctrl+Tab all ask the guard first; a refused change leaves the
// current tab shown, without a message.
#include <QTabWidget>

#include <functional>

class GuardedTabWidget : public QTabWidget {
    Q_OBJECT
public:
    using Guard = std::function<bool(int newIndex)>;
    explicit GuardedTabWidget(QWidget *parent = nullptr);
    void setGuard(Guard guard) { m_guard = std::move(guard); }
    // A change of tab as the user asks for it: the guard decides.
    bool requestTab(int index);

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    Guard m_guard;
};
