#include "ui/reportprinting.h"

#include "core/catalog/catalogue.h"
#include "report/reportwriter.h"

#include <QComboBox>
#include <QPrinter>

ReportControls CollectReportControls(const QObject &form, const CalImageBytes &image, uint8_t product)
{
    ReportControls controls;
    controls.freqbarPosition = Catalogue::FrequencyBarPosition(image, product);
    for (const QString &name : ReportModeControlNames())
        if (auto *combo = form.findChild<QComboBox *>(name)) controls.modeTexts.insert(name, combo->currentText());
    return controls;
}

QString PrintReport(QPrinter &printer, const QStringList &lines)
{
    printer.setDocName(ReportJobTitle);
    return WriteReport(printer, lines);
}
