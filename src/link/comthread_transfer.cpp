// The calibration image transfer: upload (state 7) and download (state 8), one byte per pass,
// every byte echoed by the receiving side. The image protocol has no checksum, so only the
// controller's answer is taken as data: the 0xFF waits until anything that crossed the 'E' has
// landed, the answer must be the letter the controller announced itself with, and a download
// byte that could be an announcement is checked by holding its echo back.
#include "link/comthread.h"

#include "link/linkmessage.h"
#include "link/productcodes.h"
#include "link/transferprogress.h"

namespace {
enum TransferStep : uint8_t { Settle, AwaitProductCode, AwaitImageReady, Bytes, EchoHeld };

const char *const DownloadFailed = "Download Failed on ";
const char *const UploadFailed = "Upload Failed on ";
const char *const DeafController = "controller on %1 does not answer: check the cable";
}  // namespace

void TCOMThread::StartTransfer(uint8_t nextState)
{
    m_requestByte = Request::None;
    m_transferStep = Settle;
    FlushInput();
    // The state changes before the image is copied: a request arriving while the worker waits
    // for the copy is dropped, as it is during the rest of the transfer.
    m_state = nextState;
    if (nextState == LinkState::SendingImage) RunOnUi([this] { m_owner.ImageToBuffer(m_buffer.data()); });
    ResetLinkTimer();
    // Long after the 'E' the line has settled already: the 0xFF goes out in this same pass.
    StepSettle();
}

void TCOMThread::StepSettle()
{
    FlushInput();
    if (Now() - m_lastAcknowledge < LinkTime::SettleMs || Now() - m_lastReceive < LinkTime::SettleMs) {
        // A line that never falls quiet has no answer to find.
        if (SinceLinkTimer() > LinkTime::TransferGapMs) TransferFailed();
        return;
    }
    if (!Send(Wire::Attention)) return;
    ResetLinkTimer();
    m_transferStep = AwaitProductCode;
}

bool TCOMThread::TakeAnswer(uint8_t byte)
{
    if (byte != m_announcedLetter) return false;
    // Nothing of the image comes before the tool asks for it: whatever else waits is discarded.
    FlushInput();
    m_transferLength = TransferLength;
    m_progress = 0;
    return true;
}

void TCOMThread::SetTransferProgress()
{
    m_progress = TransferProgress(m_transferIndex, m_transferLength);
}

void TCOMThread::TransferFailed()
{
    const char *failed = m_state == LinkState::SendingImage ? UploadFailed : DownloadFailed;
    StopLink(QString::fromLatin1(failed) + PortName());
}

void TCOMThread::StepSendingImage()
{
    if (m_transferStep == Settle) return StepSettle();
    uint8_t byte = 0;
    if (!ReadByte(byte)) {
        if (SinceLinkTimer() > LinkTime::TransferGapMs) TransferFailed();
        return;
    }
    switch (m_transferStep) {
    case AwaitProductCode:
        if (!TakeAnswer(byte) || !Send(Wire::SendImage)) return;
        SetStatusText(QStringLiteral("Uploading v1.1 Calibration"));
        ResetLinkTimer();
        m_transferStep = AwaitImageReady;
        return;
    case AwaitImageReady:
        if (byte != Wire::ImageReady) return;
        m_transferIndex = 1;
        if (!Send(m_buffer[0])) return;
        ResetLinkTimer();
        m_transferStep = Bytes;
        return;
    default:
        // Only the right echo counts; a wrong one is neither resent nor restarts the time.
        if (byte != m_buffer[m_transferIndex - 1]) return;
        ++m_transferIndex;
        SetTransferProgress();
        if (m_transferIndex > m_transferLength) {
            m_progress = 100;
            SetStatusText(QStringLiteral("Upload Successful"));
            PostMessage(LinkCode::UploadFinished, 0);
            m_state = LinkState::WaitingForLink;
        } else if (!Send(m_buffer[m_transferIndex - 1])) {
            return;
        }
        ResetLinkTimer();
        return;
    }
}

void TCOMThread::StepReceivingImage()
{
    if (m_transferStep == Settle) return StepSettle();
    if (m_transferStep == EchoHeld) return StepEchoHeld();
    uint8_t byte = 0;
    if (!ReadByte(byte)) {
        if (SinceLinkTimer() > LinkTime::TransferGapMs) TransferFailed();
        return;
    }
    if (m_transferStep == AwaitProductCode) {
        if (!TakeAnswer(byte) || !Send(Wire::GetImage)) return;
        SetStatusText(QStringLiteral("Retrieving v1.1 Calibration"));
        m_transferIndex = 1;
        ResetLinkTimer();
        m_transferStep = Bytes;
        return;
    }
    if (SinceLinkTimer() > LinkTime::LateByteMs) {
        // A late byte may be an announcement of a controller that never heard the 'F': its echo
        // waits until the line has shown whether the controller is waiting for it.
        m_heldByte = byte;
        ResetLinkTimer();
        m_transferStep = EchoHeld;
        return;
    }
    TakeImageByte(byte);
}

void TCOMThread::StepEchoHeld()
{
    uint8_t byte = 0;
    if (ReadByte(byte)) {
        // Sent without waiting for its echo: the controller is announcing, not answering.
        StopLink(QString::fromLatin1(DeafController).arg(PortName()));
        return;
    }
    if (SinceLinkTimer() <= LinkTime::EchoHoldMs) return;
    m_transferStep = Bytes;
    TakeImageByte(m_heldByte);
}

void TCOMThread::TakeImageByte(uint8_t byte)
{
    // The echo goes out first: a byte whose echo the port refused ends the download unfinished.
    if (!Send(byte)) return;
    m_buffer[m_transferIndex - 1] = byte;
    ++m_transferIndex;
    SetTransferProgress();
    if (m_transferIndex > m_transferLength) {
        // The image in memory changes only here, at the successful end.
        m_progress = 100;
        SetStatusText(QStringLiteral("Download Successful"));
        RunOnUi([this] { m_owner.BufferToImage(m_buffer.data()); });
        PostMessage(LinkCode::DownloadFinished, 0);
        m_state = LinkState::WaitingForLink;
    }
    ResetLinkTimer();
}
