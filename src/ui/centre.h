#pragma once
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

// Places a window in the middle of the primary screen's work area.
inline void CentreOnScreen(QWidget *window)
{
    if (QScreen *screen = QGuiApplication::primaryScreen())
        window->move(screen->availableGeometry().center() - window->rect().center());
}
