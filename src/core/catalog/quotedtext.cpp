#include "core/catalog/quotedtext.h"

#include <QList>

namespace Catalogue {

namespace {
constexpr QChar Quote = QLatin1Char('"');
constexpr QChar Escape = QLatin1Char('\\');
constexpr char16_t FirstPlain = 0x20, LastPlain = 0x7e;
constexpr int CodeDigits = 2;  // \xHH
}  // namespace

QString QuotedText(const QString &text)
{
    QString quoted(Quote);
    for (const QChar c : text) {
        if (c == Quote || c == Escape) quoted += Escape + QString(c);
        else if (c.unicode() >= FirstPlain && c.unicode() <= LastPlain) quoted += c;
        else if (c.unicode() <= 0xff) quoted += QStringLiteral("\\x%1").arg(c.unicode(), CodeDigits, 16, QLatin1Char('0'));
        else quoted += c;  // no label holds one; kept as it is rather than lost
    }
    return quoted + Quote;
}

bool ReadQuotedText(const QString &line, qsizetype from, QString *text, qsizetype *end)
{
    if (from >= line.size() || line.at(from) != Quote) return false;
    text->clear();
    for (qsizetype i = from + 1; i < line.size(); ++i) {
        const QChar c = line.at(i);
        if (c == Quote) {
            *end = i + 1;
            return true;
        }
        if (c != Escape) {
            *text += c;
            continue;
        }
        if (++i >= line.size()) return false;
        const QChar escaped = line.at(i);
        if (escaped == Quote || escaped == Escape) {
            *text += escaped;
        } else if (escaped == QLatin1Char('x') && i + CodeDigits < line.size()) {
            const QString digits = line.mid(i + 1, CodeDigits);
            for (const QChar d : digits)
                if (!QStringLiteral("0123456789abcdefABCDEF").contains(d)) return false;
            *text += QChar(char16_t(digits.toUInt(nullptr, 16)));
            i += CodeDigits;
        } else {
            return false;
        }
    }
    return false;
}

QList<qsizetype> ArrowsOutsideQuotes(const QString &value)
{
    QList<qsizetype> arrows;
    for (qsizetype i = 0; i < value.size();) {
        QString text;
        qsizetype end = 0;
        if (ReadQuotedText(value, i, &text, &end)) {
            i = end;
        } else if (value.at(i) == Quote) {
            return arrows;  // an unclosed quote: the rest is its text
        } else if (value.mid(i, DiffArrow.size()) == DiffArrow) {
            arrows << i;
            i += DiffArrow.size();
        } else {
            ++i;
        }
    }
    return arrows;
}

}  // namespace Catalogue
