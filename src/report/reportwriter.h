#pragma once
// The configuration report written without a printer: onto any paged device (a printer or a PDF
// writer), into a PDF file or into a plain text file. Qt Gui only; a PDF needs a QGuiApplication,
// which the offscreen platform provides without a display.
#include <QString>
#include <QStringList>

class QPagedPaintDevice;

// Writes `lines` in the report font, a line below the other; "" when it worked, else the error.
QString WriteReport(QPagedPaintDevice &device, const QStringList &lines);

// The report as a PDF file titled with the report's job title; "" or the error, naming the file.
// Written atomically: a failure leaves `path` as it was.
QString WriteReportPdf(const QString &path, const QStringList &lines);
// The report as a text file, one line each, written atomically; "" or the error, naming the file.
QString WriteReportText(const QString &path, const QStringList &lines);
