#include "files/reportprinting.h"

#include "files/lineprinter.h"

#include <QAbstractSlider>
#include <QComboBox>
#include <QFontDatabase>
#include <QFontInfo>
#include <QPrinter>

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

ReportControls CollectReportControls(const QObject &form)
{
    ReportControls controls;
    if (auto *slider = form.findChild<QAbstractSlider *>(ReportFrequencyControl))
        controls.freqbarPosition = slider->value();
    for (const QString &name : ReportModeControlNames())
        if (auto *combo = form.findChild<QComboBox *>(name)) controls.modeTexts.insert(name, combo->currentText());
    return controls;
}

QString PrintReport(QPrinter &printer, const QStringList &lines)
{
    printer.setDocName(ReportJobTitle);
    LinePrinter device(printer);
    if (!device.Open(InstalledReportFont())) return QStringLiteral("The printer could not be opened");
    for (const QString &line : lines)
        if (!device.WriteLine(line)) return QStringLiteral("The printer could not start a new page");
    if (!device.Close()) return QStringLiteral("The printer could not finish the report");
    return {};
}
