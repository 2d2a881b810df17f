#include "ui/reportprinting.h"

#include "core/catalog/catalogue.h"
#include "report/reportwriter.h"
#include "ui/pages/quarn/joysticks/joystick_controls.h"

#include <QComboBox>
#include <QPrinter>

ReportControls CollectReportControls(const QObject &form, const CalImageBytes &image, uint8_t product)
{
    ReportControls controls;
    controls.freqbarPosition = Catalogue::FrequencyBarPosition(image, product);
    // Every mode list of a button shows the same byte.
    for (const Joy::ModeDropDown &list : Joy::ModeDropDowns)
        if (auto *combo = form.findChild<QComboBox *>(QString::fromLatin1(list.name)))
            controls.modeTexts[size_t(list.button)] = combo->currentText();
    return controls;
}

QString PrintReport(QPrinter &printer, const QStringList &lines)
{
    printer.setDocName(ReportJobTitle);
    return WriteReport(printer, lines);
}
