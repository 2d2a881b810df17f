#pragma once
// The tab sets and bar groups of the Brennic and CsCAN pages, on top of the shared control
// builders, and the number texts their labels share. Every control gets its object name from the
// caller.
#include "ui/pages/pagerect.h"
#include "core/catalog/pagetexts.h"
#include "ui/widgets/controls.h"

#include <QRect>
#include <QString>
#include <Qt>

class QGroupBox;
class QLabel;
class QScrollBar;
class QTabWidget;
class QWidget;



// A tab set filling `page`, with an empty tab per caption (named tabPrefix + index) put in `tabs`.
QTabWidget *NewTabSet(QWidget *page, const QString &name, const char *const *captions, int count, QWidget **tabs,
                      const QString &tabPrefix);


// A horizontal bar with its value label to the right, inside a group box; an optional caption
// line sits above the bar. Returns the bar; the label and the group come back through the
// pointers. Height of the group: BarGroupHeight or, with a caption, BarGroupCaptionedHeight.
constexpr int BarValueLabelWidth = 64;
struct BarGroupParts {
    QGroupBox *group = nullptr;
    QScrollBar *bar = nullptr;
    QLabel *label = nullptr;
};
BarGroupParts NewBarGroup(QWidget *parent, const QString &barName, const QString &labelName,
                          const QString &groupCaption, const QString &caption, int min, int max, QRect geometry);
