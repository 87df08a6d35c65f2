#include "link/Handshake.h"

#include <string>

namespace rp770::link {

Code Handshake::WaitAck() {
    const Reception head = port_.ReadChars(6, ctx_.limits.ackSeconds);
    if (head.code != Code::Done) return head.code;
    if (head.text != "#CMDOK") return Code::Malformed;
    if (port_.WaitByte(kCR, kAckLineEndSeconds) != Code::Done) return Code::Malformed;
    if (port_.WaitByte(kLF, kAckLineEndSeconds) != Code::Done) return Code::Malformed;
    ctx_.state.CommError = false;
    return Code::Done;
}

bool Handshake::ProbeRadio() {
    port_.SendByte('P');
    if (port_.WaitByte('P', kProbeSeconds) != Code::Done) return false;
    port_.SendByte('0');
    return true;
}

bool Handshake::SyncCommand() {
    int successes = 0;
    for (int pass = 1; pass <= 2; ++pass) {
        int attemptsLeft = ctx_.state.RetryCount;
        Code result = Code::TimeOut;
        for (;;) {
            port_.ShowMonitor(Words(MessageId::MonitorSendingSync, std::to_string(pass)));
            port_.SendText("#CMDSY");
            result = WaitAck();
            if (result == Code::Done) break;
            if (result != Code::TimeOut && result != Code::ErrorText) break;
            if (--attemptsLeft <= 0) break;
        }
        if (result == Code::Done) {
            ++successes;
        } else if (result != Code::TimeOut && result != Code::ErrorText) {
            break;  // cancelled or garbled: the other pass is skipped
        }
    }
    if (successes == 2) return true;
    port_.ShowMonitor(Words(MessageId::MonitorNoSyncAck));
    return false;
}

bool Handshake::SyncRadio() {
    port_.SetSynchronising(true);
    lastSyncStage_ = Synchronise();
    port_.SetSynchronising(false);
    if (const std::string advice = SyncFailureText(lastSyncStage_); !advice.empty()) ctx_.Tell(advice, Icon::Warning);
    return lastSyncStage_ == SyncStage::Synchronised;
}

SyncStage Handshake::PortNotOpened() {
    // The program's own words first, then which device and why, in one message.
    ctx_.Tell(MessageId::PortInitialiseError, Icon::Critical, port_.OpenFailureText());
    return SyncStage::PortNotOpened;
}

SyncStage Handshake::Diagnose() const {
    if (ctx_.state.CancelRequested) return SyncStage::Cancelled;
    if (!ctx_.state.NoEchoMode && port_.EchoBytes() == echoesBefore_) return SyncStage::NoEcho;
    if (port_.HeardBytes() != heardBefore_) return SyncStage::Refused;
    // Without the echo check a silent line may be an unplugged cable as well as a silent radio.
    return ctx_.state.NoEchoMode ? SyncStage::Silent : SyncStage::NoAnswer;
}

SyncStage Handshake::Synchronise() {
    LinkState& state = ctx_.state;
    state.CancelRequested = false;
    echoesBefore_ = port_.EchoBytes();
    heardBefore_ = port_.HeardBytes();
    // Nothing may be sent to a port that did not open.
    if (!port_.PortInit()) return PortNotOpened();
    const StageScope stage(ctx_, Words(MessageId::ConnectingToRadio));
    // An unplugged cable echoes nothing: the first echo is awaited only
    // briefly, and a line that never answered ends the synchronisation at
    // once. Once anything was heard, the waits are the protocol's own.
    port_.WatchForSilence(kSilentLineSeconds);
    bool probed = false;
    for (int i = 0; i < kProbeTries && !probed; ++i) {
        probed = ProbeRadio();
        // A Cancel noticed while probing ends the synchronisation; the next
        // send would forget it.
        if (!probed && state.CancelRequested) return SyncStage::Cancelled;
        if (!probed && !state.NoEchoMode && port_.NothingHeard()) return SyncStage::NoEcho;
    }
    if (!probed) port_.ShowMonitor(Words(MessageId::MonitorSyncFailed));

    port_.ShowMonitor(Words(MessageId::MonitorSendingAcmd));
    port_.SendText("ACMD:002");
    const Reception reply = port_.ReadReplyLine(kAcmdReplySeconds);
    switch (reply.code) {
        case Code::Done:
            if (reply.text == "OK" || reply.text == "#CMDUN") break;
            ctx_.Tell(reply.text == "ERROR" ? MessageId::AcmdCommandError : MessageId::LinkError);
            return Diagnose();
        case Code::Cancelled:
            return SyncStage::Cancelled;
        case Code::Malformed:
            ctx_.Tell(MessageId::LinkError);
            break;
        default:  // no answer within the limit
            break;
    }

    if (!port_.PortInitCP()) return PortNotOpened();
    ctx_.clock.Sleep(kSyncPauseMs);
    return SyncCommand() ? SyncStage::Synchronised : Diagnose();
}

bool Handshake::AskResynchronisation() {
    const Answer answer =
        ctx_.Ask(MessageId::ConfirmSynchronisation, Icon::Question, Buttons::OkCancel, Answer::Ok);
    return answer == Answer::Ok && SyncCommand();
}

bool Handshake::RetryAfter(Code result, int& attemptsLeft) {
    if (result == Code::TimeOut) return --attemptsLeft > 0;
    if (result == Code::ErrorText) {
        if (--attemptsLeft <= 0 && AskResynchronisation()) attemptsLeft = 1;
        return attemptsLeft > 0;
    }
    return false;
}

bool Handshake::StatusCheck() {
    for (;;) {
        port_.ShowMonitor(Words(MessageId::MonitorStatusCheck));
        const Bytes frame = BuildFrame("#CEPSR", "00", "", "");
        int attemptsLeft = ctx_.state.RetryCount;
        bool acknowledged = false;
        for (;;) {
            port_.SendFrame(frame);
            const Code result = WaitAck();
            if (result == Code::Done) {
                acknowledged = true;
                break;
            }
            if (!RetryAfter(result, attemptsLeft)) break;
        }
        if (!acknowledged) return false;

        bool ready = false;
        bool askAgain = false;
        const Reception head = port_.ReadChars(6, kReplySeconds);
        if (head.code == Code::Cancelled) {
            ctx_.Tell(MessageId::LinkCancel);
        } else if (head.code == Code::TimeOut) {
            ctx_.Tell(MessageId::LinkTimeOut);
        } else if (head.code == Code::Done && head.text != "#CEPSD") {
            port_.SendText("#CMDUN");
        } else if (head.code == Code::Done) {
            const Reception rest = port_.ReadToLineEnd(kReplySeconds);
            if (rest.code == Code::Cancelled) {
                ctx_.Tell(MessageId::LinkCancel);
            } else if (rest.code == Code::TimeOut) {
                ctx_.Tell(MessageId::LinkTimeOut);
            } else if (!VerifyReply(head.text + rest.text)) {
                port_.SendText("#CMDSM");
            } else {
                port_.SendText("#CMDOK");
                const auto pieces = SplitAtTabs(rest.text);
                const std::string status = pieces.size() > 1 ? pieces[1] : "";
                if (status == "00") {
                    ready = true;
                } else if (status == "01") {
                    askAgain = ctx_.Ask(MessageId::RadioIsBusy, Icon::Warning, Buttons::RetryCancel, Answer::Cancel) ==
                               Answer::Retry;
                }
            }
        }
        if (askAgain) continue;
        port_.ShowMonitor(Words(ready ? MessageId::MonitorStatusOk : MessageId::MonitorStatusNg));
        return ready;
    }
}

void Handshake::SendAbort() {
    // A radio still sending its reply would mix its bytes into the echo of
    // the CAN, which would then count as a failed abort.
    port_.SettleLine(kLineQuietSeconds, kLineSettleLimitSeconds);
    port_.SendByte(kCAN);
    port_.WaitByte(kACK, ctx_.limits.abortAckSeconds);
    ctx_.state.CancelRequested = true;
}

}  // namespace rp770::link
