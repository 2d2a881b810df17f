#include "files/reportprinting.h"

#include "report/reportwriter.h"

#include <QAbstractSlider>
#include <QComboBox>
#include <QPrinter>

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
    return WriteReport(printer, lines);
}
