#pragma once
// The calibration image transfer as a job of the link supervisor: an upload or a download of the
// whole image, one byte per pass, every byte echoed by the receiving side. The job owns the
// transfer's buffer, its step and everything it has found in doubt; the supervisor runs it while
// the link is in SendingImage or ReceivingImage and takes the link back when it ends.
#include "link/linkprotocol.h"

#include <QString>

#include <array>
#include <cstdint>
#include <vector>

class TCOMThread;

class TransferJob {
public:
    // Where a transfer stands, within the supervisor's SendingImage or ReceivingImage.
    enum class Step : uint8_t {
        Settle,            // the 0xFF waits until whatever crossed the 'E' has landed
        AwaitProductCode,  // the controller's answer to the 0xFF: its announced letter
        AwaitImageReady,   // upload: the controller is to take the image
        Bytes,             // the image's bytes and their echoes
        EchoHeld,          // download: a late byte's echo is held back
        AfterEnd,          // the last echo went out: a finished controller announces itself
        AfterAnnounce,     // ... and then says nothing more
    };

    explicit TransferJob(TCOMThread &link) : m_link(link) {}

    // Starts the transfer the supervisor switches to (SendingImage or ReceivingImage).
    void Start(uint8_t linkState);
    // One pass of the transfer under way.
    void StepSending();
    void StepReceiving();
    // While the link waits for the controller: the read of a job in doubt must come back in time.
    void StepReadAgainWait();
    // The transfer under way ends as a failure: red status, the link stopped. `reason` names the
    // limit that was hit or the doubt that could not be resolved.
    void Failed(const QString &reason = {});

    // The job went into doubt and reads the image again when the controller is back.
    bool ReadAgainPending() const { return m_readAgainPending; }
    // The controller went with the line: nothing of the job goes on.
    void Abandon() { m_readAgainPending = false; }

private:
    // The steps that wait on the line rather than on the next byte of the transfer (settling,
    // a held echo, after the end): runs the current one; false when the step takes bytes.
    bool StepWaiting();
    void StepSettle();
    // The controller's answer to that 0xFF: only the letter it announced itself with.
    bool TakeAnswer(uint8_t byte);
    void TakeImageByte(uint8_t byte);
    void StepEchoHeld();
    // A byte of the transfer (the one seen waiting behind the last, or the line's next), and the
    // check that nothing else waits behind it.
    bool NextByte(uint8_t &byte);
    // Whether the line has been silent past the transfer's gap, and that gap.
    bool SilentPastGap(uint32_t &gap) const;
    void CheckAlone();
    void StepAfterEnd();
    void StepAfterAnnounce();
    void EndOfRead();
    void AcceptDownload();
    void AcceptUpload();
    void ReadAgain();
    void ReadBroken();
    void FollowAnnouncement();
    void SetProgress();
    // How late after its echo a downloaded byte is held back as a possible announcement.
    uint32_t LateByteLimit() const;

    TCOMThread &m_link;
    Step m_step = Step::Settle;
    std::array<uint8_t, TransferLength> m_buffer{};  // position p (from 1) is m_buffer[p - 1]
    int m_index = 1;
    uint8_t m_heldByte = 0;          // a late downloaded byte whose echo is held back
    bool m_inDoubt = false;          // this read or upload met a byte the line cannot vouch for
    bool m_lookahead = false;        // a byte was waiting behind the last one taken
    uint8_t m_lookaheadByte = 0;
    bool m_announcedAfterEnd = false;  // the finished controller announced itself
    bool m_readAgainPending = false;   // the job's own next step: the image read once more
    bool m_checkingUpload = false;     // the read is the check of an upload in doubt
    std::vector<std::array<uint8_t, TransferLength>> m_reads;  // earlier reads of this job in doubt
    int m_readAttempts = 0;  // reads of this job that ended in doubt or broke off
    std::array<uint8_t, TransferLength> m_uploaded{};          // the image an upload sent
};
