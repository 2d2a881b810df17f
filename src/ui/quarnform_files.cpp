// The main window's file commands: *.joy files, the reset image and the printed report.
#include "ui/quarnform.h"

#include "core/calimage.h"
#include "core/usablefile.h"
#include "core/catalog/catalogue.h"
#include "ui/pages/productpage.h"
#include "ui/errorbox.h"
#include "ui/dialogs/joydialogs.h"
#include "core/files/joyfile.h"
#include "core/files/reportlines.h"
#include "core/files/resetimage.h"
#include "ui/dialogs/printform.h"
#include "ui/reportprinting.h"
#include "link/linkprotocol.h"

#include <QApplication>
#include <QPrintDialog>
#include <QPrinter>

namespace {
// The hourglass and the "Printing...." window for as long as the report is being printed, put
// away however the printing ends.
class PrintingNotice {
public:
    PrintingNotice()
    {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        m_form.show();
        QCoreApplication::processEvents();  // let the notice draw before the printing blocks
    }
    ~PrintingNotice()
    {
        m_form.close();
        QApplication::restoreOverrideCursor();
    }
    PrintingNotice(const PrintingNotice &) = delete;
    PrintingNotice &operator=(const PrintingNotice &) = delete;

private:
    TPrintForm m_form;
};
}  // namespace

void TQuarnForm::Open1Click()
{
    OpenJoyFile(AskJoyFileToOpen(this));
}

void TQuarnForm::OpenJoyFile(const QString &fileName)
{
    if (fileName.isEmpty() || !UsableFile(fileName)) return;
    CalImageBytes image;
    const IoError error = ReadJoyFile(fileName, image);
    if (error.failed()) {
        ShowErrorBox(this, IoErrorText(error));
        return;
    }
    OpenImage(image);
}

void TQuarnForm::Save1Click()
{
    const QString fileName = AskJoyFileToSave(this);
    if (fileName.isEmpty()) return;
    const CalImageBytes image = CalImage;
    const IoError error = WriteJoyFile(fileName, image);
    if (error.failed()) ShowErrorBox(this, IoErrorText(error));
}

void TQuarnForm::ResetCalFile1Click()
{
    MakeResetImage(CalImage);
    for (ProductPage *page : Pages) page->ResetDefaults();
    ShowImage();
    SetRequest(Request::SendCalibration, 0);
}

void TQuarnForm::Print1Click()
{
    QPrinter printer(QPrinter::HighResolution);
#ifdef Q_OS_WIN
    // Windows' own set-up dialog offers only the system's printers and refuses to open without
    // one (the printer then falls back to a PDF file): say so rather than do nothing.
    if (printer.outputFormat() != QPrinter::NativeFormat) {
        ShowErrorBox(this, QString::fromLatin1(NoPrinterText));
        return;
    }
#endif
    QPrintDialog setup(&printer, this);
    setup.setObjectName(QStringLiteral("PrinterSetupDialog1"));
    if (setup.exec() != QDialog::Accepted) return;

    QString error;
    {
        PrintingNotice notice;
        const uint8_t product = Catalogue::ProductReading(ProductCode, CalImage);
        error = PrintReport(printer, ReportLines(CalImage, CollectReportControls(*this, CalImage, product)));
    }
    if (!error.isEmpty()) ShowErrorBox(this, error);
}
