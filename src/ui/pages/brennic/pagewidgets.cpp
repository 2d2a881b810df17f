#include "ui/pages/brennic/pagewidgets.h"

#include <QGroupBox>
#include <QLabel>
#include <QScrollBar>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {
constexpr int Margin = 8;
constexpr int BarHeight = 17;
constexpr int LineHeight = 14;
constexpr int FirstLineY = 19;  // below the group caption
}  // namespace

QTabWidget *NewTabSet(QWidget *page, const QString &name, const char *const *captions, int count, QWidget **tabs,
                      const QString &tabPrefix)
{
    auto *tabSet = new QTabWidget(page);
    tabSet->setObjectName(name);
    auto *layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(tabSet);
    for (int t = 0; t < count; ++t) {
        tabs[t] = new QWidget;
        tabs[t]->setObjectName(tabPrefix + QString::number(t));
        tabSet->addTab(tabs[t], QString::fromLatin1(captions[t]));
    }
    return tabSet;
}


BarGroupParts NewBarGroup(QWidget *parent, const QString &barName, const QString &labelName,
                          const QString &groupCaption, const QString &caption, int min, int max, QRect geometry)
{
    BarGroupParts parts;
    parts.group = NewGroup(parent, barName + QStringLiteral("Group"), groupCaption, geometry);
    int y = FirstLineY;
    if (!caption.isEmpty()) {
        NewLabel(parts.group, barName + QStringLiteral("Caption"), caption,
                 QRect(Margin, y, geometry.width() - 2 * Margin, LineHeight));
        y += LineHeight;
    }
    const int barWidth = geometry.width() - 3 * Margin - BarValueLabelWidth;
    parts.bar = NewScrollBar(parts.group, barName, Qt::Horizontal, min, max, QRect(Margin, y + 2, barWidth, BarHeight));
    parts.label = NewLabel(parts.group, labelName, QString(),
                           QRect(2 * Margin + barWidth, y + 2, BarValueLabelWidth, BarHeight));
    return parts;
}
