#pragma once
// Printing the configuration report: the font, the page controls it reads, and the lines written
// to the printer as a text device.
#include "core/files/reportlines.h"
#include "report/reportfont.h"

#include <QFont>
#include <QStringList>

class QObject;
class QPrinter;

// The error box's text when the system has no printer to set up (Windows).
inline constexpr const char *NoPrinterText = "No printer is installed";

// The report's values as the window shows `image` on the page of `product`: the frequency bar's
// position from the image, each button's mode text from its mode lists below `form` (a button
// without a list there has an empty text).
ReportControls CollectReportControls(const QObject &form, const CalImageBytes &image, uint8_t product);

// Prints `lines` under the report's job title; "" when it worked, else the error text. The printer
// must have been set up already (printer set-up dialog or output file).
QString PrintReport(QPrinter &printer, const QStringList &lines);
