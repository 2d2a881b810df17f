// The main window's side of the link: creating and replacing the worker, requests, the status
// strip's buttons and the Datalink menu, the link message hook, and the hand-overs the worker
// runs on this thread.
#include "ui/quarnform.h"

#include "core/calimage.h"
#include "core/image_layout.h"
#include "core/catalog/catalogue.h"
#include "core/settings.h"
#include "ui/statuscolors.h"
#include "ui/errorbox.h"
#include "ui/dialogs/portdialog.h"
#include "link/comthread.h"
#include "link/linkmessage.h"

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QProgressBar>

#include <algorithm>

namespace {
// The log window keeps this many lines; older ones scroll away.
constexpr int LogLineCap = 5000;
// A COM number for this run only (the emulator demo): used instead of the stored port by the
// first worker, and never stored.
constexpr const char *PortOverrideVariable = "QUARNTRIM_COM_PORT";
// "&Send Cal" from the page of another variant than the controller's.
constexpr const char *OtherPageTitle = "Send Calibration";
constexpr const char *OtherPageQuestion = "The image is shown on the %1 page, but the controller on the line is a %2.\n"
                                          "Send the image as the %1 page shows it?";

int PortOverride()
{
    bool ok = false;
    const int port = qEnvironmentVariableIntValue(PortOverrideVariable, &ok);
    return ok && port > 0 ? port : 0;
}
}  // namespace

void TQuarnForm::InstallAppMessage()
{
    Memo1->setMaximumBlockCount(LogLineCap);
    qApp->installEventFilter(this);
}

void TQuarnForm::CreateLink()
{
    if (m_freeingLink || ComThread) return;
    if (!m_linkCreated) {
        if (const int port = PortOverride()) ComPort = port;
        m_linkCreated = true;
    }
    ComThread = new TCOMThread(*this, ComPort);
}

void TQuarnForm::FreeLink()
{
    // Safe to call twice and from inside the wait: the worker is detached first, and the
    // destructor serves its pending hand-overs until its thread has ended.
    if (m_freeingLink || !ComThread) return;
    TCOMThread *worker = ComThread;
    ComThread = nullptr;
    if (worker->HandOverRunning()) {
        // Called from inside the worker's own hand-over (a box's event loop): the worker cannot
        // finish its pass before that returns, so it is freed once control is back in the loop.
        worker->requestInterruption();
        worker->deleteLater();
        return;
    }
    m_freeingLink = true;
    m_freeingPort = worker->PortName();
    delete worker;
    m_freeingLink = false;
    // Finish boxes that arrived during the wait are shown now, from the event queue.
    for (const DeferredLinkMessage &m : std::exchange(m_deferredLinkMessages, {}))
        QCoreApplication::postEvent(qApp, new LinkMessageEvent(LinkHostId(), m.workerId, m.code, 0));
}

void TQuarnForm::ReplaceLink()
{
    if (m_freeingLink) return;  // the replacement under way ends with a fresh worker anyway
    FreeLink();
    CreateLink();
}

void TQuarnForm::SetRequest(uint8_t code, uint8_t value)
{
    if (ComThread) ComThread->SetRequest(code, value);
}

bool TQuarnForm::eventFilter(QObject *watched, QEvent *event)
{
    if (AppMessage(event)) return true;
    return QMainWindow::eventFilter(watched, event);
}

bool TQuarnForm::AppMessage(QEvent *event)
{
    if (event->type() != LinkMessageEvent::EventType()) return false;
    const auto *message = static_cast<const LinkMessageEvent *>(event);
    if (message->hostId() != LinkHostId()) return false;
    switch (message->code()) {
    case LinkCode::UploadFinished:
    case LinkCode::DownloadFinished:
        if (m_freeingLink) {
            m_deferredLinkMessages.push_back({message->workerId(), message->code()});
            break;
        }
        KeepExchange(message->code());
        if (message->code() == LinkCode::UploadFinished) {
            ShowInfo(QStringLiteral("Upload Successful!"));
        } else {
            ShowInfo(QStringLiteral("Download Successful!"));
            ShowArrivedImage();
        }
        if (ComThread) ComThread->ClearProgress();
        break;
    case LinkCode::ByteReceived:
    case LinkCode::ByteSent:
        if (MemoPanel->isVisible())
            Memo1->appendPlainText((message->code() == LinkCode::ByteReceived ? QStringLiteral("< ")
                                                                               : QStringLiteral("> ")) +
                                   QString::number(message->value()));
        break;
    case LinkCode::ReplaceWorker:
        // Only the current worker's request counts: a replaced worker's later repeats are stale.
        if (!m_freeingLink && ComThread && message->workerId() == ComThread->WorkerId()) ReplaceLink();
        break;
    default: break;
    }
    return true;
}

void TQuarnForm::PortNumber1Click()
{
    const int chosen = TSettingsDialog::ChoosePort(this, ComPort);
    if (chosen != ComPort) ForgetUnit();
    ComPort = chosen;
    if (const QString error = WriteComPortSetting(ComPort); !error.isEmpty()) ShowErrorBox(this, error);
    ReplaceLink();
}

bool TQuarnForm::SendFromThisPageAgreed()
{
    uint8_t connected = Product::None;
    if (!ControllerConnected() || !Catalogue::ProductFromLetter(QString(QChar(ComThread->AnnouncedLetter())), &connected) ||
        connected == ProductCode)
        return true;
    const QString question = QString::fromLatin1(OtherPageQuestion)
                                 .arg(Catalogue::ProductName(ProductCode), Catalogue::ProductName(connected));
    return QMessageBox::question(this, QString::fromLatin1(OtherPageTitle), question, QMessageBox::Yes | QMessageBox::No) ==
           QMessageBox::Yes;
}

void TQuarnForm::SendCalClick()
{
    if (SendFromThisPageAgreed()) SetRequest(Request::SendCalibration, 0);
}
void TQuarnForm::GetCalibration1Click() { SetRequest(Request::GetCalibration, 0); }
void TQuarnForm::UploadButtonClick() { SendCalClick(); }
void TQuarnForm::DownloadButtonClick() { SetRequest(Request::GetCalibration, 0); }
void TQuarnForm::UpgradeFirmware1Click()
{
    // Not connected (a controller left waiting in its bootloader says nothing): a new link looks
    // for such a controller and asks for its firmware.
    const uint8_t state = ComThread ? ComThread->LockedState() : LinkState::Stopped;
    if (state == LinkState::Connected) SetRequest(Request::Upgrade, 0);
    else if (state == LinkState::WaitingForLink) ReplaceLink();
}

void TQuarnForm::ResetButtonClick()
{
    const uint8_t state = ComThread ? ComThread->LockedState() : LinkState::Stopped;
    if (state == LinkState::Connected)
        SetRequest(Request::Restart, 0);
    else
        ReplaceLink();
    ImageToControls(false);
    Memo1->clear();
}

void TQuarnForm::SyncStatus(const LinkStatus &status)
{
    SetPanelColor(ConnectedPanel, QColor::fromRgb(status.colour));
    // White text stays legible on each of the saturated status colours.
    QPalette palette = ConnectedPanel->palette();
    palette.setColor(QPalette::WindowText, Qt::white);
    ConnectedPanel->setPalette(palette);
    ConnectedPanel->setText(status.text);
    ProgressGauge->setValue(status.progress);
    if (status.rxLamp) SetPanelColor(RXPanel, StatusColor::Red);
    if (status.txLamp) SetPanelColor(TXPanel, StatusColor::Red);
    FollowLinkForUnit(status);
}

void TQuarnForm::ShowError(const QString &text)
{
    if (!m_endingForSystem) QMessageBox::critical(this, QCoreApplication::applicationName(), text);
}

void TQuarnForm::ShowInfo(const QString &text)
{
    if (!m_endingForSystem) QMessageBox::information(this, QCoreApplication::applicationName(), text);
}

void TQuarnForm::EndForSystem()
{
    m_endingForSystem = true;
    // Closing a box or the file dialog ends the worker's hand-over; the window's close then frees
    // the worker, which starts an application a bootloader run that programmed nothing holds.
    QApplication::closeAllWindows();
    FreeLink();
}

void TQuarnForm::ImageToBuffer(uint8_t *buffer)
{
    std::copy(CalImage.begin(), CalImage.end(), buffer);
    m_uploadCapture = {CalImage, HandOverPort(), CurrentUnit(), ProductCode};
}

void TQuarnForm::BufferToImage(const uint8_t *buffer)
{
    std::copy(buffer, buffer + CalImageSize, m_downloadCapture.bytes.begin());
    m_downloadCapture.port = HandOverPort();
    m_downloadCapture.unit = CurrentUnit();
    m_downloadCapture.product = ProductCode;
    // A controller whose configuration memory is blank starts the tool's working values afresh;
    // its bytes stay as they came, and showing reads them as the default image.
    if (buffer[Off::JoystickType] == Off::ErasedJoystickType) SetImageDefaults();
    std::copy(buffer, buffer + CalImageSize, CalImage.begin());
}
