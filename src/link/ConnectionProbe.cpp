#include "link/ConnectionProbe.h"

#include "core/MemoryImage.h"

namespace rp770::link {

ProbeReport ConnectionProbe::Run() {
    LinkState& state = ctx_.state;
    const LinkLimits limits = ctx_.limits;
    const int retries = state.RetryCount;
    ctx_.limits = {kProbeEchoSeconds, kProbeAckSeconds, kProbeAckSeconds};
    // One attempt per command: a radio in PC CONTROL answers the first.
    state.RetryCount = 1;
    ProbeReport report = Test();
    report.port = state.PortDevice.empty() ? "COM" + std::to_string(state.PortNumber) : state.PortDevice;
    ctx_.limits = limits;
    state.RetryCount = retries;
    state.CancelRequested = false;
    port_.ClosePort();
    return report;
}

ProbeReport ConnectionProbe::Test() {
    LinkState& state = ctx_.state;
    ProbeReport report;
    state.CancelRequested = false;
    const StageScope stage(ctx_, Words(MessageId::TestingConnection));
    if (!port_.PortInit()) {
        report.result = ProbeResult::PortFailed;
        report.openFailure = port_.OpenFailureText();
        return report;
    }
    // The cable first: its echo comes at once when it is there.
    if (!handshake_.ProbeRadio() && state.CommError && !state.NoEchoMode) {
        report.result = state.CancelRequested ? ProbeResult::Cancelled : ProbeResult::NoEcho;
        return report;
    }
    if (!handshake_.SyncRadio()) {
        switch (handshake_.LastSyncStage()) {
            case SyncStage::PortNotOpened:
                report.result = ProbeResult::PortFailed;
                report.openFailure = port_.OpenFailureText();
                break;
            case SyncStage::NoEcho: report.result = ProbeResult::NoEcho; break;
            case SyncStage::NoAnswer: report.result = ProbeResult::NoAnswer; break;
            case SyncStage::Silent: report.result = ProbeResult::Silent; break;
            case SyncStage::Refused: report.result = ProbeResult::Refused; break;
            default: report.result = ProbeResult::Cancelled; break;
        }
        return report;
    }
    if (!handshake_.StatusCheck()) {
        report.result = state.CancelRequested ? ProbeResult::Cancelled : ProbeResult::NotReady;
        EndConversation();
        return report;
    }
    const int last = kLastAddress1K;
    Buffer codes(static_cast<size_t>(last) + 1, 0);
    reader_.ReadBlock(codes, addr::ModelCode, 2);
    if (!state.CommError) reader_.ReadBlock(codes, last - 1, 2);
    if (state.CancelRequested) {
        report.result = ProbeResult::Cancelled;
    } else if (state.CommError) {
        report.result = ProbeResult::NoModelCode;
    } else {
        report.result = ProbeResult::Found;
        report.modelCode = static_cast<uint16_t>(codes[0] << 8 | codes[1]);
        report.supported = ModelCodesAccepted(1, codes.data(), last);
    }
    EndConversation();
    return report;
}

void ConnectionProbe::EndConversation() {
    handshake_.SendAbort();
    port_.ClosePort();
}

}  // namespace rp770::link
