#include "report/reportfont.h"

#include <QFontDatabase>
#include <QFontInfo>

namespace {
const QString PreferredFamily = QStringLiteral("Courier New");
}  // namespace

QFont ReportFont(const QStringList &families)
{
    QFont font;
    if (families.contains(PreferredFamily))
        font = QFont(PreferredFamily);
    else if (!families.isEmpty())
        font = QFont(families.first());
    font.setFixedPitch(true);
    font.setStyleHint(QFont::Monospace);
    font.setBold(false);
    font.setItalic(false);
    font.setUnderline(false);
    return font;
}

QFont InstalledReportFont()
{
    QStringList families = QFontDatabase::families();
    // Where the font system stands a metric-compatible fixed-pitch face in for "Courier New" (as
    // fontconfig does with its aliases), the family counts as installed.
    if (!families.contains(PreferredFamily)) {
        QFont wanted(PreferredFamily);
        wanted.setStyleStrategy(QFont::NoFontMerging);
        const QFontInfo resolved(wanted);
        if (resolved.fixedPitch()) families.prepend(PreferredFamily);
    }
    return ReportFont(families);
}
