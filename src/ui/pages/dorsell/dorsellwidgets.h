#pragma once
// The Dorsell page's trim bar, on top of the shared control builders the page's tabs use.
#include "core/catalog/controlranges.h"
#include "ui/widgets/controls.h"

#include <QScrollBar>

// A trim bar (or global trim bar): vertical, its Min at the top, so a higher thumb is a higher
// level. The page's bars run 2..254 (trim bytes 254..2).
constexpr int DorsellTrimBarMin = ControlRange::TrimTop;
constexpr int DorsellTrimBarMax = ControlRange::TrimBottom;
constexpr int TrimBarHeight = 200;
inline QScrollBar *NewDorsellTrimBar(QWidget *parent, const char *name, int height = TrimBarHeight)
{
    auto *bar = NewScrollBar(parent, name, Qt::Vertical, DorsellTrimBarMin, DorsellTrimBarMax);
    bar->setSingleStep(2);
    bar->setPageStep(20);
    bar->setFixedHeight(height);
    return bar;
}
