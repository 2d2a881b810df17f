// The calibration image transfer: upload (SendingImage) and download (ReceivingImage), one byte
// per pass, every byte echoed by the receiving side. The image protocol has no checksum, so only the
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
#include "link/transferjob.h"

#include "link/comthread.h"

#include "link/linkmessage.h"
#include "link/transferprogress.h"

#include <algorithm>

namespace {
const char *const DownloadFailed = "Download Failed on ";
const char *const UploadFailed = "Upload Failed on ";
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

void TransferJob::Start(uint8_t linkState)
{
    m_link.m_requestByte = Request::None;
    m_step = Step::Settle;
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
    m_link.FlushInput();
    // The state changes before the image is copied: a request arriving while the worker waits
    // for the copy is dropped, as it is during the rest of the transfer.
    m_link.m_state = linkState;
    if (linkState == LinkState::SendingImage) m_link.RunOnUi([this] { m_link.m_owner.ImageToBuffer(m_buffer.data()); });
    m_link.ResetLinkTimer();
    // Long after the 'E' the line has settled already: the 0xFF goes out in this same pass.
    StepSettle();
}

void TransferJob::StepSettle()
{
    m_link.FlushInput();
    // Over a network, what crossed the 'E' lands up to a round trip later.
    const uint32_t settle = m_link.Answer(LinkTime::SettleMs);
    if (m_link.Now() - m_link.m_lastAcknowledge < settle || m_link.Now() - m_link.m_lastReceive < settle) {
        // A line that never falls quiet has no answer to find.
        const uint32_t gap = m_link.Answer(LinkTime::TransferGapMs);
        if (m_link.SinceLinkTimer() > gap) Failed(Reason(NeverQuiet, gap));
        return;
    }
    if (!m_link.Send(Wire::Attention)) return;
    m_link.ResetLinkTimer();
    m_step = Step::AwaitProductCode;
}

bool TransferJob::TakeAnswer(uint8_t byte)
{
    if (byte != m_link.m_announcedLetter) return false;
    // Nothing of the image comes before the tool asks for it: whatever else waits is discarded.
    m_link.FlushInput();
    m_link.m_progress = 0;
    return true;
}

void TransferJob::SetProgress()
{
    m_link.m_progress = TransferProgress(m_index, TransferLength);
}

void TransferJob::Failed(const QString &reason)
{
    const bool upload = m_link.m_state == LinkState::SendingImage || m_checkingUpload;
    QString text = QString::fromLatin1(upload ? UploadFailed : DownloadFailed) + m_link.PortName();
    if (!reason.isEmpty()) text += QStringLiteral(": ") + reason;
    m_readAgainPending = false;
    m_checkingUpload = false;
    m_link.StopLink(text);
}

bool TransferJob::NextByte(uint8_t &byte)
{
    if (!m_lookahead) return m_link.ReadByte(byte);
    byte = m_lookaheadByte;
    m_lookahead = false;
    return true;
}

bool TransferJob::SilentPastGap(uint32_t &gap) const
{
    gap = m_link.Answer(LinkTime::TransferGapMs);
    return m_link.SinceLinkTimer() > gap;
}

bool TransferJob::StepWaiting()
{
    switch (m_step) {
    case Step::Settle: StepSettle(); return true;
    case Step::EchoHeld: StepEchoHeld(); return true;
    case Step::AfterEnd: StepAfterEnd(); return true;
    case Step::AfterAnnounce: StepAfterAnnounce(); return true;
    default: return false;
    }
}

void TransferJob::CheckAlone()
{
    // Taken before the echo went out: a controller waiting for it cannot have sent this one.
    if (!m_link.ReadByte(m_lookaheadByte)) return;
    m_lookahead = true;
    m_inDoubt = true;
}

void TransferJob::StepSending()
{
    if (StepWaiting()) return;
    uint8_t byte = 0;
    if (!NextByte(byte)) {
        uint32_t gap = 0;
        if (!SilentPastGap(gap)) return;
        if (m_step == Step::AwaitProductCode) return Failed(Reason(NoAnswer, gap));
        if (m_step == Step::AwaitImageReady) return Failed(Reason(NoImageReady, gap));
        return Failed(QString::fromLatin1(NoEchoAfter).arg(gap).arg(m_index - 1));
    }
    switch (m_step) {
    case Step::AwaitProductCode:
        if (!TakeAnswer(byte) || !m_link.Send(Wire::SendImage)) return;
        m_link.SetStatusText(QStringLiteral("Uploading v1.1 Calibration"));
        m_link.ResetLinkTimer();
        m_step = Step::AwaitImageReady;
        return;
    case Step::AwaitImageReady:
        if (byte != Wire::ImageReady) return;
        m_index = 1;
        if (!m_link.Send(m_buffer[0])) return;
        m_link.ResetLinkTimer();
        m_step = Step::Bytes;
        return;
    default: {
        const bool right = byte == m_buffer[m_index - 1];
        // The echo of the last byte may have the controller's announcement right behind it: that
        // is looked at after the end.
        if (!right || m_index < TransferLength) CheckAlone();
        // Only the right echo counts; a wrong one is neither resent nor restarts the time, but
        // the controller may have taken something else: the upload is checked at its end.
        if (!right) {
            m_inDoubt = true;
            return;
        }
        ++m_index;
        SetProgress();
        if (m_index > TransferLength) {
            m_uploaded = m_buffer;
            m_step = Step::AfterEnd;
        } else if (!m_link.Send(m_buffer[m_index - 1])) {
            return;
        }
        m_link.ResetLinkTimer();
        return;
    }
    }
}

void TransferJob::StepReceiving()
{
    if (StepWaiting()) return;
    uint8_t byte = 0;
    if (!NextByte(byte)) {
        uint32_t gap = 0;
        if (!SilentPastGap(gap)) return;
        if (m_step == Step::AwaitProductCode) return Failed(Reason(NoAnswer, gap));
        if (m_inDoubt) return ReadBroken();
        return Failed(QString::fromLatin1(NoByteAfter).arg(gap).arg(m_index - 1));
    }
    if (m_step == Step::AwaitProductCode) {
        if (!TakeAnswer(byte) || !m_link.Send(Wire::GetImage)) return;
        m_link.SetStatusText(QStringLiteral("Retrieving v1.1 Calibration"));
        m_index = 1;
        m_link.ResetLinkTimer();
        m_step = Step::Bytes;
        return;
    }
    CheckAlone();
    if (m_link.SinceLinkTimer() > LateByteLimit()) {
        // A late byte may be an announcement of a controller that never heard the 'F': its echo
        // waits until the line has shown whether the controller is waiting for it.
        m_heldByte = byte;
        m_link.ResetLinkTimer();
        m_step = Step::EchoHeld;
        return;
    }
    TakeImageByte(byte);
}

uint32_t TransferJob::LateByteLimit() const
{
    return std::min(LinkTime::LateByteMs + LinkTime::AnswerAllowanceMs + m_link.m_roundTrip.Allowance(), LinkTime::LateByteCeilingMs);
}

void TransferJob::StepEchoHeld()
{
    uint8_t byte = 0;
    if (NextByte(byte)) {
        // Sent without waiting for its echo: the controller is announcing, not answering. A read
        // already in doubt may have lost the controller to a noisy line instead.
        if (m_inDoubt) return ReadBroken();
        m_link.StopLink(m_link.NotHearingText());
        return;
    }
    if (m_link.SinceLinkTimer() <= LinkTime::EchoHoldMs) return;
    m_step = Step::Bytes;
    TakeImageByte(m_heldByte);
}

void TransferJob::TakeImageByte(uint8_t byte)
{
    // The echo goes out first: a byte whose echo the port refused ends the download unfinished.
    if (!m_link.Send(byte)) return;
    m_buffer[m_index - 1] = byte;
    ++m_index;
    SetProgress();
    if (m_index > TransferLength) {
        // A controller that restarted just before its last byte announces itself: its letter (or
        // its bootloader's) is then taken for that byte, and the line cannot tell.
        if (byte == m_link.m_announcedLetter || byte == Wire::BootAnnounce) m_inDoubt = true;
        m_step = Step::AfterEnd;
    }
    m_link.ResetLinkTimer();
}

void TransferJob::StepAfterEnd()
{
    uint8_t byte = 0;
    if (NextByte(byte)) {
        if (byte == m_link.m_announcedLetter) {
            CheckAlone();
            m_announcedAfterEnd = true;
            m_step = Step::AfterAnnounce;
            m_link.ResetLinkTimer();
            return;
        }
        // A byte of the image the tool did not take, or noise: the transfer is shifted or marred.
        m_inDoubt = true;
    }
    // A finished controller announces itself: one that stays silent may have abandoned the
    // transfer on a wrong echo, after the tool took a byte it did not send.
    if (m_link.SinceLinkTimer() > m_link.Answer(LinkTime::TransferGapMs)) {
        m_inDoubt = true;
        EndOfRead();
    }
}

void TransferJob::StepAfterAnnounce()
{
    uint8_t byte = 0;
    // The letter again is the controller repeating its announcement (some announce faster than
    // this window); anything else means the letter was an image byte the tool had not taken.
    if (NextByte(byte) && byte != m_link.m_announcedLetter) {
        m_inDoubt = true;
        m_announcedAfterEnd = false;
        EndOfRead();
        return;
    }
    if (m_link.SinceLinkTimer() > m_link.Answer(LinkTime::AfterEndQuietMs)) EndOfRead();
}

void TransferJob::EndOfRead()
{
    if (m_link.m_state == LinkState::SendingImage) {
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
        if (!m_inDoubt || agreed) return Failed(QString::fromLatin1(OtherImage));
    } else if (!m_inDoubt || agreed) {
        return AcceptDownload();
    }
    m_reads.push_back(m_buffer);
    ReadAgain();
}

void TransferJob::ReadBroken()
{
    // Nothing of it is kept: the controller comes back for the next read.
    m_announcedAfterEnd = false;
    ReadAgain();
}

void TransferJob::AcceptDownload()
{
    // The image in memory changes only here, at the successful end, once however often it was read.
    m_link.m_progress = 100;
    m_link.SetStatusText(QStringLiteral("Download Successful"));
    m_link.RunOnUi([this] { m_link.m_owner.BufferToImage(m_buffer.data()); });
    m_link.PostMessage(LinkCode::DownloadFinished, 0);
    FollowAnnouncement();
}

void TransferJob::AcceptUpload()
{
    m_checkingUpload = false;
    m_link.m_progress = 100;
    m_link.SetStatusText(QStringLiteral("Upload Successful"));
    m_link.PostMessage(LinkCode::UploadFinished, 0);
    FollowAnnouncement();
}

void TransferJob::ReadAgain()
{
    if (++m_readAttempts >= MaxImageReads) return Failed(QString::fromLatin1(Noisy).arg(MaxImageReads));
    m_readAgainPending = true;
    FollowAnnouncement();
}

void TransferJob::FollowAnnouncement()
{
    m_link.m_state = LinkState::WaitingForLink;
    m_link.ResetLinkTimer();
    // The letter the finished controller announced itself with is answered only when there is
    // more to do; otherwise it goes on announcing, as it was found.
    if (!m_announcedAfterEnd) return;
    m_announcedAfterEnd = false;
    if (m_link.AcknowledgeWanted()) m_link.TakeProductCode(m_link.m_announcedLetter);
}

void TransferJob::StepReadAgainWait()
{
    // The controller of a job in doubt has to come back for the next read.
    if (m_readAgainPending && m_link.SinceLinkTimer() > m_link.Answer(LinkTime::ControllerReturnMs))
        Failed(Reason(NoReturn, m_link.Answer(LinkTime::ControllerReturnMs)));
}
