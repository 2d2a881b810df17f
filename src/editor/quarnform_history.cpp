// The main window's controller history: every image a finished transfer carried is kept, as is
// the firmware an upgrade replaces; "History..." opens a kept image as "&Open" opens a file, and
// "Compare..." lists by name what the image in memory changes against another.
#include "editor/quarnform.h"

#include "app/settings.h"
#include "catalog/catalogue.h"
#include "files/comparedialog.h"
#include "files/errorbox.h"
#include "files/historydialog.h"
#include "link/comthread.h"
#include "link/linkmessage.h"
#include "link/productcodes.h"

#include <QLabel>
#include <QPlainTextEdit>

namespace {
const ProductCodeEntry *EntryOfStoredCode(uint8_t stored)
{
    for (const ProductCodeEntry &entry : ProductCodes)
        if (entry.stored == stored) return &entry;
    return nullptr;
}
}  // namespace

int TQuarnForm::HandOverPort() const
{
    // A worker being freed may still finish the transfer it is in; the new port is not its port.
    if (m_freeingLink) return m_freeingPort;
    return ComThread ? ComThread->PortNumber() : ComPort;
}

void TQuarnForm::KeepExchange(int linkCode)
{
    const bool upload = linkCode == LinkCode::UploadFinished;
    const Exchange &exchange = upload ? m_uploadCapture : m_downloadCapture;
    m_lastExchanged = exchange.bytes;
    const ProductCodeEntry *product = EntryOfStoredCode(exchange.product);
    QString error;
    HistoryStore store;
    if (!store.KeepImage(upload ? HistoryKind::Upload : HistoryKind::Download, QStringLiteral("COM%1").arg(exchange.port),
                         product ? char(product->letter) : 0,
                         product ? QString::fromLatin1(product->banner) : QString(), exchange.bytes, QString(), &error))
        Memo1->appendPlainText(QStringLiteral("History not kept: ") + error);
}

void TQuarnForm::OpenImage(const CalImageBytes &image)
{
    CalImage = image;
    ShowArrivedImage();
}

void TQuarnForm::History1Click()
{
    const HistoryStore store;
    const std::optional<HistoryEntry> chosen = HistoryDialog::ChooseImage(store, this);
    if (!chosen) return;
    CalImageBytes image;
    QString error;
    if (!store.Load(*chosen, image, &error)) {
        ShowErrorBox(this, error);
        return;
    }
    OpenImage(image);
}

void TQuarnForm::Compare1Click()
{
    // Read as the page shows it; with no product chosen yet, as the printed report reads a file.
    const uint8_t product = Catalogue::ProductReading(ProductCode, CalImage);
    CompareDialog dialog(CalImage, product, m_lastExchanged, HistoryStore(), this);
    dialog.exec();
}

FirmwareJob TQuarnForm::ChooseFirmwareJob()
{
    // Asked for right after the bootloader's identification line has been shown: the status
    // line names the chip the copy comes from.
    m_chipLine = ConnectedPanel->text();
    FirmwareJob job;
    job.fileName = SelectFirmwareFile();
    job.backupFirst = FirmwareBackupBeforeUpgrade();
    return job;
}

bool TQuarnForm::KeepFirmwareBackup(const QByteArray &hex, QString *error)
{
    QString reason;
    if (HistoryStore().KeepFirmware(hex, m_chipLine, QStringLiteral("COM%1").arg(HandOverPort()), QString(), &reason)) return true;
    if (error) *error = QStringLiteral("Firmware backup not kept: ") + reason;
    return false;
}
