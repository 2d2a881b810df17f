#pragma once
// Small construction helpers for the Dorsell page builders.
#include <QLabel>
#include <QScrollBar>
#include <QString>

// Gives a new control its object name and returns it.
template <class W>
W *Named(W *widget, const char *name)
{
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

// A trim bar (or global trim bar): vertical, its Min at the top, so a higher thumb is a higher
// level. The page's bars run 2..254 (trim bytes 254..2).
constexpr int DorsellTrimBarMin = 2;
constexpr int DorsellTrimBarMax = 254;
constexpr int TrimBarHeight = 200;
inline QScrollBar *NewTrimBar(QWidget *parent, const char *name, int height = TrimBarHeight)
{
    auto *bar = Named(new QScrollBar(Qt::Vertical, parent), name);
    bar->setRange(DorsellTrimBarMin, DorsellTrimBarMax);
    bar->setSingleStep(2);
    bar->setPageStep(20);
    bar->setFixedHeight(height);
    return bar;
}

// A caption or value label, centred.
inline QLabel *NewCentredLabel(QWidget *parent, const QString &text, const char *name = nullptr)
{
    auto *label = new QLabel(text, parent);
    if (name) label->setObjectName(QString::fromLatin1(name));
    label->setAlignment(Qt::AlignCenter);
    return label;
}
