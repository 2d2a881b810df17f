#pragma once
// A "Test Min" / "Test Max" button: holding it drives a hydraulic valve, so only a hand on the
// mouse may do that. A press of any mouse button starts the test and the first release ends it,
// wherever the pointer then is. No key starts a test (space, enter, a mnemonic or a shortcut),
// and sliding the pointer off the held button and back neither ends nor restarts it: the press
// is stamped once, so the time limit runs from the first press.
#include <QPushButton>

class LiveTestButton : public QPushButton {
    Q_OBJECT
public:
    LiveTestButton(const QString &caption, QWidget *parent);

    bool TestRunning() const { return m_running; }

signals:
    void testStarted();  // a mouse button went down over the button
    void testEnded();    // released, or the button can no longer see the release

protected:
    bool event(QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
    void changeEvent(QEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void End();
    void EndLater();
    bool m_running = false;
};

// A test button with its object name and place (a null place leaves it to a layout), captioned
// "Test Max" for the max side of a trim group and "Test Min" for the min side.
LiveTestButton *NewLiveTestButton(QWidget *parent, QAnyStringView name, bool maxSide, const QRect &place = {});
