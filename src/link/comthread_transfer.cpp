// The calibration image transfer: upload (state 7) and download (state 8), one byte per pass,
// every byte echoed by the receiving side.
#include "link/comthread.h"

#include "link/linkmessage.h"
#include "link/productcodes.h"
#include "link/transferprogress.h"

namespace {
enum TransferStep : uint8_t { AwaitProductCode = 0, AwaitImageReady = 1, Bytes = 2 };
}  // namespace

void TCOMThread::StartTransfer(uint8_t nextState)
{
    m_requestByte = Request::None;
    m_transferStep = AwaitProductCode;
    FlushInput();
    // The state changes before the image is copied: a request arriving while the worker waits
    // for the copy is dropped, as it is during the rest of the transfer.
    m_state = nextState;
    if (nextState == LinkState::SendingImage) RunOnUi([this] { m_owner.ImageToBuffer(m_buffer.data()); });
    WriteByte(Wire::Attention);
    ResetLinkTimer();
}

void TCOMThread::SetTransferProgress()
{
    m_progress = TransferProgress(m_transferIndex, m_transferLength);
}

void TCOMThread::TransferTimedOut(const char *failureText)
{
    SetStatus(QString::fromLatin1(failureText) + QString::number(m_portNumber), LinkColor::Red);
    m_state = LinkState::Stopped;
}

void TCOMThread::StepSendingImage()
{
    uint8_t byte = 0;
    if (!ReadByte(byte)) {
        if (SinceLinkTimer() > LinkTime::TransferGapMs) TransferTimedOut("Upload Failed on COM");
        return;
    }
    switch (m_transferStep) {
    case AwaitProductCode:
        if (!FindProductCode(byte)) return;
        WriteByte(Wire::SendImage);
        SetStatusText(QStringLiteral("Uploading v1.1 Calibration"));
        m_transferLength = TransferLength;
        m_progress = 0;
        ResetLinkTimer();
        m_transferStep = AwaitImageReady;
        return;
    case AwaitImageReady:
        if (byte != Wire::ImageReady) return;
        m_transferIndex = 1;
        WriteByte(m_buffer[0]);
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
        } else {
            WriteByte(m_buffer[m_transferIndex - 1]);
        }
        ResetLinkTimer();
        return;
    }
}

void TCOMThread::StepReceivingImage()
{
    uint8_t byte = 0;
    if (!ReadByte(byte)) {
        if (SinceLinkTimer() > LinkTime::TransferGapMs) TransferTimedOut("Download Failed on COM");
        return;
    }
    if (m_transferStep == AwaitProductCode) {
        if (!FindProductCode(byte)) return;
        // An announcement the controller sent before it heard the acknowledgement can arrive after
        // the flush, just ahead of its answer to the 0xFF. Nothing of the image comes before the
        // 'F', so whatever else waits now is discarded: the answer must not become image byte 0.
        FlushInput();
        WriteByte(Wire::GetImage);
        SetStatusText(QStringLiteral("Retrieving v1.1 Calibration"));
        m_transferLength = TransferLength;
        m_progress = 0;
        m_transferIndex = 1;
        ResetLinkTimer();
        m_transferStep = Bytes;
        return;
    }
    m_buffer[m_transferIndex - 1] = byte;
    ++m_transferIndex;
    SetTransferProgress();
    if (m_transferIndex > m_transferLength) {
        // The image in memory changes only here, at the successful end.
        m_progress = 100;
        SetStatusText(QStringLiteral("Download Successful"));
        RunOnUi([this] { m_owner.BufferToImage(m_buffer.data()); });
        PostMessage(LinkCode::DownloadFinished, 0);
        WriteByte(byte);
        m_state = LinkState::WaitingForLink;
    } else {
        WriteByte(byte);
    }
    ResetLinkTimer();
}
