#include "report/lineprinter.h"

#include <QFontMetricsF>
#include <QPen>
#include <QPagedPaintDevice>

LinePrinter::LinePrinter(QPagedPaintDevice &device) : m_device(device) {}

LinePrinter::~LinePrinter()
{
    if (m_painter.isActive()) m_painter.end();
}

bool LinePrinter::Open(const QFont &font)
{
    if (!m_painter.begin(&m_device)) return false;
    m_painter.setFont(font);
    m_painter.setPen(QPen(Qt::black, 1, Qt::SolidLine));
    m_painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    const QFontMetricsF metrics(m_painter.font(), &m_device);
    m_lineHeight = metrics.lineSpacing();
    m_ascent = metrics.ascent();
    // The painter's origin is the top left corner of the printable area.
    m_width = m_device.width();
    m_height = m_device.height();
    m_y = 0;
    m_pages = 1;
    return true;
}

QStringList LinePrinter::WrapLine(const QString &line, const QFontMetricsF &metrics, qreal width)
{
    QStringList pieces;
    QString rest = line;
    while (rest.size() > 1 && metrics.horizontalAdvance(rest) > width) {
        qsizetype fit = 1;
        while (fit < rest.size() && metrics.horizontalAdvance(rest.left(fit + 1)) <= width) ++fit;
        pieces << rest.left(fit);
        rest = rest.mid(fit);
    }
    pieces << rest;
    return pieces;
}

bool LinePrinter::WriteLine(const QString &line)
{
    const QFontMetricsF metrics(m_painter.font(), &m_device);
    for (const QString &piece : WrapLine(line, metrics, m_width))
        if (!PrintPiece(piece)) return false;
    return true;
}

bool LinePrinter::PrintPiece(const QString &piece)
{
    // A line that no longer fits goes to a new page (a page always takes at least one line).
    if (m_y > 0 && m_y + m_lineHeight > m_height) {
        if (!m_device.newPage()) return false;
        ++m_pages;
        m_y = 0;
    }
    if (!piece.isEmpty()) m_painter.drawText(QPointF(0, m_y + m_ascent), piece);
    m_y += m_lineHeight;
    return true;
}

bool LinePrinter::Close() { return m_painter.end(); }
