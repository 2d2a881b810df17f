#include "ui/widgets/livetestbutton.h"

#include <QKeyEvent>
#include <QMouseEvent>

LiveTestButton::LiveTestButton(const QString &caption, QWidget *parent) : QPushButton(caption, parent)
{
    setAutoDefault(false);
}

bool LiveTestButton::event(QEvent *event)
{
    // A mnemonic or shortcut would click the button from the keyboard.
    if (event->type() == QEvent::Shortcut) {
        event->accept();
        return true;
    }
    return QPushButton::event(event);
}

void LiveTestButton::mousePressEvent(QMouseEvent *event)
{
    event->accept();
    // A second button pressed while one is held belongs to the test already running: the press
    // time stays that of the first.
    if (m_running) return;
    m_running = true;
    setDown(true);
    emit testStarted();
}

void LiveTestButton::mouseReleaseEvent(QMouseEvent *event)
{
    event->accept();
    End();
}

void LiveTestButton::mouseMoveEvent(QMouseEvent *event)
{
    // The toolkit's button lets go when the pointer leaves it and presses again when it comes
    // back; a held test keeps running and keeps its look instead.
    event->accept();
}

void LiveTestButton::keyPressEvent(QKeyEvent *event)
{
    // Focus may still move on with the keyboard; nothing else happens.
    QWidget::keyPressEvent(event);
}

void LiveTestButton::keyReleaseEvent(QKeyEvent *event) { QWidget::keyReleaseEvent(event); }

void LiveTestButton::changeEvent(QEvent *event)
{
    // Disabled, or its window no longer active (a message box came up over it): the release may
    // never reach the button, so the test ends now rather than at the time limit.
    if ((event->type() == QEvent::EnabledChange && !isEnabled()) ||
        (event->type() == QEvent::ActivationChange && !isActiveWindow()))
        EndLater();
    QPushButton::changeEvent(event);
}

void LiveTestButton::hideEvent(QHideEvent *event)
{
    EndLater();
    QPushButton::hideEvent(event);
}

void LiveTestButton::End()
{
    if (!m_running) return;
    m_running = false;
    setDown(false);
    emit testEnded();
}

void LiveTestButton::EndLater()
{
    // Hidden or deactivated as its window or page is being destroyed, the button must not call
    // into what is half gone: the end goes through the event queue, and is dropped with the
    // button if it goes too.
    if (m_running) QMetaObject::invokeMethod(this, &LiveTestButton::End, Qt::QueuedConnection);
}

LiveTestButton *NewLiveTestButton(QWidget *parent, QAnyStringView name, bool maxSide, const QRect &place)
{
    auto *button = new LiveTestButton(maxSide ? QStringLiteral("Test Max") : QStringLiteral("Test Min"), parent);
    if (!name.isEmpty()) button->setObjectName(name.toString());
    if (!place.isNull()) button->setGeometry(place);
    return button;
}
