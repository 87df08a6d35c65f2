#pragma once
// The conversation that opens every transfer: the probe, "ACMD:002", the two
// "#CMDSY" passes, the status check, the acknowledgements, the question that
// offers a re-synchronisation after repeated refusals, and the abort after a
// cancelled read.

#include "link/LinkAdvice.h"
#include "link/LinkContext.h"
#include "link/LinkPort.h"

namespace rp770::link {

inline constexpr double kProbeSeconds = 1;
inline constexpr double kAcmdReplySeconds = 1;
inline constexpr int kSyncPauseMs = 1000;
inline constexpr double kAckLineEndSeconds = 1;
inline constexpr double kReplySeconds = 10;
// Before the abort, the radio finishes what it was sending: the line counts
// as quiet once no byte came for this long (a dozen characters at 4800
// baud), and the settling never takes longer than the limit.
inline constexpr double kLineQuietSeconds = 0.025;
inline constexpr double kLineSettleLimitSeconds = 2;
inline constexpr int kProbeTries = 3;
// How long the first echo of a synchronisation is awaited on a line that
// has not said anything yet.
inline constexpr double kSilentLineSeconds = 4;

class Handshake {
public:
    Handshake(LinkContext& context, LinkPort& port) : ctx_(context), port_(port) {}

    // Done (acknowledged, CommError cleared), Cancelled, TimeOut, ErrorText,
    // or Malformed for anything else.
    Code WaitAck();
    bool ProbeRadio();
    bool SyncCommand();
    // The whole synchronisation. A failure that has no message of its own
    // is told with the stage that failed and what to check.
    bool SyncRadio();
    // How the last synchronisation ended.
    SyncStage LastSyncStage() const { return lastSyncStage_; }
    bool StatusCheck();
    void SendAbort();
    // Asked when the last attempt of a step was refused: true when the user
    // agreed and the re-synchronisation worked (the step gets one more try).
    bool AskResynchronisation();
    // After an unacknowledged attempt of a step: true when the step sends
    // again. A time-out or "ERROR" spends an attempt; "ERROR" on the last one
    // asks the re-synchronisation question, which may grant one more.
    // Anything else (cancel, garbage) ends the step.
    bool RetryAfter(Code result, int& attemptsLeft);

private:
    SyncStage Synchronise();
    // Which stage a synchronisation that ran out of answers failed at, by
    // what was heard since it began.
    SyncStage Diagnose() const;
    SyncStage PortNotOpened();

    LinkContext& ctx_;
    LinkPort& port_;
    SyncStage lastSyncStage_ = SyncStage::Synchronised;
    int echoesBefore_ = 0;  // what had been heard when the synchronisation began
    int heardBefore_ = 0;
};

}  // namespace rp770::link
