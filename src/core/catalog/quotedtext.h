#pragma once
// A label's text as recipes write it: in double quotes, so that no content (empty, an arrow, a
// colon, blanks at either end, control characters, characters above 126) can be read as anything
// else. Inside the quotes, \" is a quote, \\ a backslash and \xHH the character of code HH (a
// control character or one above 126); every other character stands for itself.
#include <QString>

namespace Catalogue {

QString QuotedText(const QString &text);

// The quoted text starting at `from` in `line` (no blanks skipped): its content in `*text` and the
// index after its closing quote in `*end`. False when there is no quote at `from`, or it is not
// closed, or an escape is unknown.
bool ReadQuotedText(const QString &line, qsizetype from, QString *text, qsizetype *end);

// The index of each " -> " in `value` outside quoted texts, in order.
QList<qsizetype> ArrowsOutsideQuotes(const QString &value);

// What stands between the two values of a diff line.
inline const QString DiffArrow = QStringLiteral(" -> ");

}  // namespace Catalogue
