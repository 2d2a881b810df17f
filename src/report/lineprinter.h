#pragma once
// A printer or PDF writer used as a text device: each line is printed below the previous one, a
// line wider than the page continues on the next line, and a line that no longer fits starts a new
// page.
#include <QFont>
#include <QPainter>
#include <QString>
#include <QStringList>

class QFontMetricsF;
class QPagedPaintDevice;

class LinePrinter {
public:
    explicit LinePrinter(QPagedPaintDevice &device);
    ~LinePrinter();
    LinePrinter(const LinePrinter &) = delete;
    LinePrinter &operator=(const LinePrinter &) = delete;

    // Starts the print job in `font`; false when the printer cannot be opened.
    bool Open(const QFont &font);
    // False when the page that the line needs could not be started.
    bool WriteLine(const QString &line);
    // Ends the print job; false when the printer reports a failure.
    bool Close();

    int PageCount() const { return m_pages; }

    // The pieces a line is printed in: as many characters as fit the width on each, at least one.
    static QStringList WrapLine(const QString &line, const QFontMetricsF &metrics, qreal width);

private:
    bool PrintPiece(const QString &piece);

    QPagedPaintDevice &m_device;
    QPainter m_painter;
    qreal m_y = 0;
    qreal m_lineHeight = 0;
    qreal m_ascent = 0;
    qreal m_width = 0;
    qreal m_height = 0;
    int m_pages = 0;
};
