// The main window's controller history: every image a finished transfer carried is kept, as is
// the firmware an upgrade replaces, under the unit the Unit box names; "History..." opens a kept
// image as "&Open" opens a file or sends a unit's image to the controller on the line, and
// "Compare..." lists by name what the image in memory changes against another.
#include "ui/quarnform.h"

#include "core/settings.h"
#include "core/catalog/catalogue.h"
#include "ui/shopsync.h"
#include "ui/dialogs/comparedialog.h"
#include "ui/errorbox.h"
#include "ui/dialogs/historydialog.h"
#include "ui/dialogs/shopserver.h"
#include "link/comthread.h"
#include "link/linkmessage.h"
#include "link/linkprotocol.h"
#include "core/variants.h"

#include <QComboBox>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>

namespace {
const QString NotKept = QStringLiteral("History not kept: ");
const QString SendTitle = QStringLiteral("Send to Controller");
const char *const NoController = "No controller is connected: nothing was sent.";
const char *const VariantMismatch = "The controller is %1; %2 is for %3: nothing was sent.";
const char *const ControllerUnread =
    "The controller's own image has not been read on this connection: get it (Get Cal) and send again.";
const char *const SendQuestion = "Send %1 to the controller on %2?";
const char *const RequestRefused = "The controller was busy: the image is open, press Send Cal to send it.";

QString VariantWords(uint8_t letter)
{
    const QString name = HistoryVariantName(char(letter));
    return name.isEmpty() ? QStringLiteral("an unknown variant") : QStringLiteral("a ") + name;
}
}  // namespace

QString TQuarnForm::HandOverPort() const
{
    // A worker being freed may still finish the transfer it is in; the new port is not its port.
    if (m_freeingLink) return m_freeingPort;
    return ComThread ? ComThread->PortName() : QStringLiteral("COM%1").arg(ComPort);
}

QString TQuarnForm::CurrentUnit() const { return UnitBox->currentText().trimmed(); }

void TQuarnForm::OfferUnits()
{
    const QString typed = UnitBox->currentText();
    UnitBox->clear();
    UnitBox->addItems(HistoryStore().Units());
    UnitBox->setEditText(typed);
}

void TQuarnForm::OfferUnit(const QString &unit)
{
    // Listing every unit of a large shop takes a moment: one new name is added on its own.
    if (unit.isEmpty() || UnitBox->findText(unit, Qt::MatchFixedString) >= 0) return;
    const QString typed = UnitBox->currentText();
    UnitBox->addItem(unit);
    UnitBox->model()->sort(0);
    UnitBox->setEditText(typed);
}

void TQuarnForm::ForgetUnit()
{
    UnitBox->setEditText(QString());
    m_controllerImage.reset();
}

void TQuarnForm::FollowLinkForUnit(const LinkStatus &status)
{
    // Green is a controller (or its bootloader, during an upgrade) on the line; blue or red after
    // it means it has gone. A unit typed while waiting for the first controller stays for it.
    const bool shown = status.colour == LinkColor::Green;
    if (m_controllerShown && !shown) ForgetUnit();
    m_controllerShown = shown;
}

void TQuarnForm::ShowServerState()
{
    const HistoryStore store;
    ServerWaitingLabel->setText(ServerWaitingText(store));
    ServerWaitingLabel->setToolTip(ServerStateText(store));
}

bool TQuarnForm::ControllerConnected() { return ComThread && m_controllerShown && ComThread->AnnouncedLetter() != 0; }

void TQuarnForm::KeepExchange(int linkCode)
{
    const bool upload = linkCode == LinkCode::UploadFinished;
    const Exchange &exchange = upload ? m_uploadCapture : m_downloadCapture;
    m_lastExchanged = exchange.bytes;
    m_controllerImage = exchange.bytes;
    const Variant *product = VariantOfCode(exchange.product);
    QString error;
    HistoryStore store;
    if (!store.KeepImage(upload ? HistoryKind::Upload : HistoryKind::Download, exchange.port,
                         product ? char(product->letter) : 0,
                         product ? QString::fromLatin1(product->banner) : QString(), exchange.bytes, exchange.unit,
                         &error))
        Memo1->appendPlainText(NotKept + error);
    else
        OfferUnit(exchange.unit);
    ShowServerState();
    m_shopSync->Request();
}

void TQuarnForm::OpenImage(const CalImageBytes &image)
{
    CalImage = image;
    ShowArrivedImage();
}

void TQuarnForm::History1Click()
{
    HistoryStore store;
    const auto send = ControllerConnected() ? HistoryDialog::SendOffer::Connected : HistoryDialog::SendOffer::NotConnected;
    bool assigned = false;
    const std::optional<HistoryDialog::Choice> chosen = HistoryDialog::Choose(store, send, this, &assigned);
    if (assigned) {
        // An image given its unit makes a unit to offer and an entry to share.
        OfferUnits();
        ShowServerState();
        m_shopSync->Request();
    }
    if (!chosen) return;
    CalImageBytes image;
    QString error;
    if (!store.Load(chosen->entry, image, &error)) {
        ShowErrorBox(this, error);
        return;
    }
    if (chosen->action == HistoryDialog::Action::Send) SendFromHistory(chosen->entry, image);
    else OpenImage(image);
}

void TQuarnForm::SendFromHistory(const HistoryEntry &entry, const CalImageBytes &image)
{
    if (!ControllerConnected()) return ShowErrorBox(this, QString::fromLatin1(NoController));
    const uint8_t letter = ComThread->AnnouncedLetter();
    if (uint8_t(entry.productLetter) != letter)
        return ShowErrorBox(this, QString::fromLatin1(VariantMismatch)
                                      .arg(VariantWords(letter), HistoryImageWords(entry), VariantWords(entry.productLetter)));
    if (!m_controllerImage) return ShowErrorBox(this, QString::fromLatin1(ControllerUnread));

    // What the send would change in the controller, by name, before the question.
    const Variant *product = VariantOfLetter(letter);
    CompareDialog compare(*m_controllerImage, product->code, m_lastExchanged, HistoryStore(), this);
    compare.SetImageTitle(QStringLiteral("In controller"), QStringLiteral("The image in the controller"));
    compare.CompareWith(image, HistoryImageWords(entry), QStringLiteral("Kept"));
    compare.exec();
    const QString port = ComThread->PortName();
    if (QMessageBox::question(this, SendTitle, QString::fromLatin1(SendQuestion).arg(HistoryImageWords(entry), port)) !=
        QMessageBox::Yes)
        return;
    // The controller may have gone while the technician read.
    if (!ControllerConnected() || ComThread->AnnouncedLetter() != letter)
        return ShowErrorBox(this, QString::fromLatin1(NoController));

    // The controller now belongs to the unit whose image it takes.
    UnitBox->setEditText(entry.unit);
    OpenImage(image);
    if (!ComThread->SetRequest(Request::SendCalibration, 0)) ShowErrorBox(this, QString::fromLatin1(RequestRefused));
}

void TQuarnForm::Compare1Click()
{
    // Read as the page shows it; with no product chosen yet, as the printed report reads a file.
    const uint8_t product = Catalogue::ProductReading(ProductCode, CalImage);
    CompareDialog dialog(CalImage, product, m_lastExchanged, HistoryStore(), this);
    dialog.exec();
}

void TQuarnForm::ShopServer1Click()
{
    HistoryStore store;
    ShopServerDialog dialog(store, this);
    if (dialog.exec() == QDialog::Accepted) m_shopSync->Request();
    ShowServerState();
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
    const QString unit = CurrentUnit();
    const bool kept = HistoryStore().KeepFirmware(hex, m_chipLine, HandOverPort(), unit, &reason);
    ShowServerState();
    if (!kept) {
        if (error) *error = QStringLiteral("Firmware backup not kept: ") + reason;
        return false;
    }
    OfferUnit(unit);
    m_shopSync->Request();
    return true;
}
