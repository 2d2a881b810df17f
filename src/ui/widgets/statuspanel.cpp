#include "ui/widgets/statuspanel.h"

#include <QFontMetrics>
#include <QHelpEvent>
#include <QPainter>
#include <QToolTip>

namespace {
// Two lines at most: the panel is one line high, and a third line would be too small to read.
constexpr int MostLines = 2;
// Room left and right of the text inside the frame.
constexpr int SideMargin = 2;
constexpr QChar Space(u' ');

// The words of `text` greedily on lines no wider than `width`; a single word wider than that
// stands on a line of its own.
QStringList Wrap(const QString &text, const QFontMetrics &metrics, int width)
{
    QStringList lines;
    for (const QString &word : text.split(Space, Qt::SkipEmptyParts)) {
        if (!lines.isEmpty() && metrics.horizontalAdvance(lines.last() + Space + word) <= width)
            lines.last() += Space + word;
        else
            lines << word;
    }
    return lines;
}
}  // namespace

StatusPanel::StatusPanel(QWidget *parent) : QLabel(parent) {}

StatusPanel::Layout StatusPanel::Lay(const QString &text, const QFont &font, const QSize &area)
{
    const int width = qMax(1, area.width() - 2 * SideMargin);
    if (QFontMetrics(font).horizontalAdvance(text) <= width) return {font, {text}, false};

    // Two lines in the largest face (no larger than the panel's own) whose two lines fit the height.
    QFont small = font;
    int pixels = QFontInfo(font).pixelSize();
    small.setPixelSize(pixels);
    while (pixels > 1 && MostLines * QFontMetrics(small).lineSpacing() > area.height()) small.setPixelSize(--pixels);
    const QFontMetrics metrics(small);
    QStringList lines = Wrap(text, metrics, width);
    bool elided = false;
    for (const QString &line : lines) elided = elided || metrics.horizontalAdvance(line) > width;
    if (lines.size() > MostLines) {
        lines[MostLines - 1] = lines.mid(MostLines - 1).join(Space);
        lines = lines.mid(0, MostLines);
        elided = true;
    }
    for (QString &line : lines) line = metrics.elidedText(line, Qt::ElideRight, width);
    return {small, lines, elided};
}

StatusPanel::Layout StatusPanel::CurrentLayout() const { return Lay(text(), font(), contentsRect().size()); }

void StatusPanel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    drawFrame(&painter);
    const Layout layout = CurrentLayout();
    painter.setFont(layout.font);
    painter.setPen(palette().color(foregroundRole()));
    painter.drawText(contentsRect(), int(alignment()), layout.lines.join(QLatin1Char('\n')));
}

bool StatusPanel::event(QEvent *event)
{
    // The tip shows the whole sentence, but only where the panel could not.
    if (event->type() == QEvent::ToolTip) {
        auto *help = static_cast<QHelpEvent *>(event);
        if (CurrentLayout().elided) QToolTip::showText(help->globalPos(), text(), this);
        else QToolTip::hideText();
        return true;
    }
    return QLabel::event(event);
}
