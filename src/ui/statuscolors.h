#pragma once
// Colours of the status strip and a helper to paint a panel.
#include <QColor>
#include <QWidget>

namespace StatusColor {
inline const QColor Red{255, 0, 0};
inline const QColor Green{0, 128, 0};
inline const QColor Blue{0, 0, 255};
inline const QColor LampOff{128, 128, 128};
}  // namespace StatusColor

inline void SetPanelColor(QWidget *panel, const QColor &color)
{
    QPalette palette = panel->palette();
    palette.setColor(QPalette::Window, color);
    panel->setAutoFillBackground(true);
    panel->setPalette(palette);
}
