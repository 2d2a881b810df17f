// The calibration image transfer: upload (state 7) and download (state 8), one byte per pass,
// every byte echoed by the receiving side. The image protocol has no checksum, so only the
// controller's answer is taken as data:
// - the 0xFF waits until anything that crossed the 'E' has landed, and the answer must be the
//   letter the controller announced itself with;
// - a controller that waits for echoes never has two bytes on the line at once: a byte found
//   waiting behind the one just taken puts the transfer in doubt;
// - after the last echo a finished controller only announces itself, once: anything else, or a
//   second byte soon after its letter, puts the transfer in doubt;
// - a last byte equal to a letter a controller announces itself with on its own may be the
//   announcement of a controller that restarted: in doubt too;
// - a late downloaded byte has its echo held back: a controller that hears the tool waits for
//   it in silence, one that does not keeps announcing.
// A download in doubt is read again until two reads agree; an upload in doubt is checked by
// reading the controller's image back. The image is handed over once, at the end.
#include "link/comthread.h"

#include "link/linkmessage.h"
#include "link/transferprogress.h"

#include <algorithm>

namespace {
enum TransferStep : uint8_t { Settle, AwaitProductCode, AwaitImageReady, Bytes, EchoHeld, AfterEnd, AfterAnnounce };

const char *const DownloadFailed = "Download Failed on ";
const char *const UploadFailed = "Upload Failed on ";
const char *const DeafController = "controller on %1 does not answer: check the cable";
// Why a transfer failed, after the port's name.
const char *const NeverQuiet = "the line did not fall quiet within %1 ms";
const char *const NoAnswer = "no answer to the request within %1 ms";
const char *const NoImageReady = "the controller did not take the image within %1 ms";
const char *const NoByteAfter = "no byte for %1 ms after byte %2";
const char *const NoEchoAfter = "no echo for %1 ms after byte %2";
const char *const NoReturn = "the controller did not announce itself again within %1 ms";
const char *const Noisy = "the line is noisy: no two of %1 reads agreed";
const char *const OtherImage = "the controller holds another image";

QString Reason(const char *text, uint32_t ms) { return QString::fromLatin1(text).arg(ms); }
}  // namespace

QString TCOMThread::NotHearingText() const { return QString::fromLatin1(DeafController).arg(PortName()); }

void TCOMThread::StartTransfer(uint8_t nextState)
{
    m_requestByte = Request::None;
    m_transferStep = Settle;
    // A read the worker asked for itself continues the job in doubt; a new request starts afresh.
    if (!m_readAgainPending) {
        m_reads.clear();
        m_readAttempts = 0;
        m_checkingUpload = false;
    }
    m_readAgainPending = false;
    m_inDoubt = false;
    m_lookahead = false;
    m_announcedAfterEnd = false;
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
    // Over a network, what crossed the 'E' lands up to a round trip later.
    const uint32_t settle = Answer(LinkTime::SettleMs);
    if (Now() - m_lastAcknowledge < settle || Now() - m_lastReceive < settle) {
        // A line that never falls quiet has no answer to find.
        const uint32_t gap = Answer(LinkTime::TransferGapMs);
        if (SinceLinkTimer() > gap) TransferFailed(Reason(NeverQuiet, gap));
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

void TCOMThread::TransferFailed(const QString &reason)
{
    const bool upload = m_state == LinkState::SendingImage || m_checkingUpload;
    QString text = QString::fromLatin1(upload ? UploadFailed : DownloadFailed) + PortName();
    if (!reason.isEmpty()) text += QStringLiteral(": ") + reason;
    m_readAgainPending = false;
    m_checkingUpload = false;
    StopLink(text);
}

bool TCOMThread::NextTransferByte(uint8_t &byte)
{
    if (!m_lookahead) return ReadByte(byte);
    byte = m_lookaheadByte;
    m_lookahead = false;
    return true;
}

void TCOMThread::CheckAlone()
{
    // Taken before the echo went out: a controller waiting for it cannot have sent this one.
    if (!ReadByte(m_lookaheadByte)) return;
    m_lookahead = true;
    m_inDoubt = true;
}

void TCOMThread::StepSendingImage()
{
    if (m_transferStep == Settle) return StepSettle();
    if (m_transferStep == AfterEnd) return StepAfterEnd();
    if (m_transferStep == AfterAnnounce) return StepAfterAnnounce();
    uint8_t byte = 0;
    if (!NextTransferByte(byte)) {
        const uint32_t gap = Answer(LinkTime::TransferGapMs);
        if (SinceLinkTimer() <= gap) return;
        if (m_transferStep == AwaitProductCode) return TransferFailed(Reason(NoAnswer, gap));
        if (m_transferStep == AwaitImageReady) return TransferFailed(Reason(NoImageReady, gap));
        return TransferFailed(QString::fromLatin1(NoEchoAfter).arg(gap).arg(m_transferIndex - 1));
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
    default: {
        const bool right = byte == m_buffer[m_transferIndex - 1];
        // The echo of the last byte may have the controller's announcement right behind it: that
        // is looked at after the end.
        if (!right || m_transferIndex < m_transferLength) CheckAlone();
        // Only the right echo counts; a wrong one is neither resent nor restarts the time, but
        // the controller may have taken something else: the upload is checked at its end.
        if (!right) {
            m_inDoubt = true;
            return;
        }
        ++m_transferIndex;
        SetTransferProgress();
        if (m_transferIndex > m_transferLength) {
            m_uploaded = m_buffer;
            m_transferStep = AfterEnd;
        } else if (!Send(m_buffer[m_transferIndex - 1])) {
            return;
        }
        ResetLinkTimer();
        return;
    }
    }
}

void TCOMThread::StepReceivingImage()
{
    if (m_transferStep == Settle) return StepSettle();
    if (m_transferStep == EchoHeld) return StepEchoHeld();
    if (m_transferStep == AfterEnd) return StepAfterEnd();
    if (m_transferStep == AfterAnnounce) return StepAfterAnnounce();
    uint8_t byte = 0;
    if (!NextTransferByte(byte)) {
        const uint32_t gap = Answer(LinkTime::TransferGapMs);
        if (SinceLinkTimer() <= gap) return;
        if (m_transferStep == AwaitProductCode) return TransferFailed(Reason(NoAnswer, gap));
        if (m_inDoubt) return ReadBroken();
        return TransferFailed(QString::fromLatin1(NoByteAfter).arg(gap).arg(m_transferIndex - 1));
    }
    if (m_transferStep == AwaitProductCode) {
        if (!TakeAnswer(byte) || !Send(Wire::GetImage)) return;
        SetStatusText(QStringLiteral("Retrieving v1.1 Calibration"));
        m_transferIndex = 1;
        ResetLinkTimer();
        m_transferStep = Bytes;
        return;
    }
    CheckAlone();
    if (SinceLinkTimer() > LateByteLimit()) {
        // A late byte may be an announcement of a controller that never heard the 'F': its echo
        // waits until the line has shown whether the controller is waiting for it.
        m_heldByte = byte;
        ResetLinkTimer();
        m_transferStep = EchoHeld;
        return;
    }
    TakeImageByte(byte);
}

uint32_t TCOMThread::LateByteLimit() const
{
    return std::min(LinkTime::LateByteMs + LinkTime::AnswerAllowanceMs + m_roundTrip.Allowance(), LinkTime::LateByteCeilingMs);
}

void TCOMThread::StepEchoHeld()
{
    uint8_t byte = 0;
    if (NextTransferByte(byte)) {
        // Sent without waiting for its echo: the controller is announcing, not answering. A read
        // already in doubt may have lost the controller to a noisy line instead.
        if (m_inDoubt) return ReadBroken();
        StopLink(NotHearingText());
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
        // A controller that restarted just before its last byte announces itself: its letter (or
        // its bootloader's) is then taken for that byte, and the line cannot tell.
        if (byte == m_announcedLetter || byte == Wire::BootAnnounce) m_inDoubt = true;
        m_transferStep = AfterEnd;
    }
    ResetLinkTimer();
}

void TCOMThread::StepAfterEnd()
{
    uint8_t byte = 0;
    if (NextTransferByte(byte)) {
        if (byte == m_announcedLetter) {
            CheckAlone();
            m_announcedAfterEnd = true;
            m_transferStep = AfterAnnounce;
            ResetLinkTimer();
            return;
        }
        // A byte of the image the tool did not take, or noise: the transfer is shifted or marred.
        m_inDoubt = true;
    }
    // A finished controller announces itself: one that stays silent may have abandoned the
    // transfer on a wrong echo, after the tool took a byte it did not send.
    if (SinceLinkTimer() > Answer(LinkTime::TransferGapMs)) {
        m_inDoubt = true;
        EndOfRead();
    }
}

void TCOMThread::StepAfterAnnounce()
{
    uint8_t byte = 0;
    // The letter again is the controller repeating its announcement (some announce faster than
    // this window); anything else means the letter was an image byte the tool had not taken.
    if (NextTransferByte(byte) && byte != m_announcedLetter) {
        m_inDoubt = true;
        m_announcedAfterEnd = false;
        EndOfRead();
        return;
    }
    if (SinceLinkTimer() > Answer(LinkTime::AfterEndQuietMs)) EndOfRead();
}

void TCOMThread::EndOfRead()
{
    if (m_state == LinkState::SendingImage) {
        if (!m_inDoubt) return AcceptUpload();
        // The controller may hold something else than was sent: its image is read back.
        m_checkingUpload = true;
        m_reads.clear();
        m_readAttempts = 0;
        return ReadAgain();
    }
    bool agreed = false;
    for (const auto &read : m_reads) agreed = agreed || read == m_buffer;
    if (m_checkingUpload) {
        if (m_buffer == m_uploaded) return AcceptUpload();
        if (!m_inDoubt || agreed) return TransferFailed(QString::fromLatin1(OtherImage));
    } else if (!m_inDoubt || agreed) {
        return AcceptDownload();
    }
    m_reads.push_back(m_buffer);
    ReadAgain();
}

void TCOMThread::ReadBroken()
{
    // Nothing of it is kept: the controller comes back for the next read.
    m_announcedAfterEnd = false;
    ReadAgain();
}

void TCOMThread::AcceptDownload()
{
    // The image in memory changes only here, at the successful end, once however often it was read.
    m_progress = 100;
    SetStatusText(QStringLiteral("Download Successful"));
    RunOnUi([this] { m_owner.BufferToImage(m_buffer.data()); });
    PostMessage(LinkCode::DownloadFinished, 0);
    FollowAnnouncement();
}

void TCOMThread::AcceptUpload()
{
    m_checkingUpload = false;
    m_progress = 100;
    SetStatusText(QStringLiteral("Upload Successful"));
    PostMessage(LinkCode::UploadFinished, 0);
    FollowAnnouncement();
}

void TCOMThread::ReadAgain()
{
    if (++m_readAttempts >= MaxImageReads) return TransferFailed(QString::fromLatin1(Noisy).arg(MaxImageReads));
    m_readAgainPending = true;
    FollowAnnouncement();
}

void TCOMThread::FollowAnnouncement()
{
    m_state = LinkState::WaitingForLink;
    ResetLinkTimer();
    // The letter the finished controller announced itself with is answered only when there is
    // more to do; otherwise it goes on announcing, as it was found.
    if (!m_announcedAfterEnd) return;
    m_announcedAfterEnd = false;
    if (AcknowledgeWanted()) TakeProductCode(m_announcedLetter);
}

bool TCOMThread::AcknowledgeWanted() const { return m_readAgainPending || m_owner.WorkLeft(); }

void TCOMThread::StepReadAgainWait()
{
    // The controller of a job in doubt has to come back for the next read.
    if (m_readAgainPending && SinceLinkTimer() > Answer(LinkTime::ControllerReturnMs))
        TransferFailed(Reason(NoReturn, Answer(LinkTime::ControllerReturnMs)));
}
