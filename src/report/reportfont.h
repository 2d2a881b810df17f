#pragma once
// The report's fixed-pitch font, the same on the printer and in a PDF file.
#include <QFont>
#include <QStringList>

// "Courier New" when `families` holds it, otherwise the first family (the font stays as it is when
// there is none); always fixed pitch, never bold, italic or underlined, at the default size.
QFont ReportFont(const QStringList &families);
// ReportFont of the families installed on this system.
QFont InstalledReportFont();
