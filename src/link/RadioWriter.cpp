#include "link/RadioWriter.h"

#include <exception>

#include "link/WritePlan.h"

namespace rp770::link {

void RadioWriter::WriteBlock(const MemoryImage& image, int address, int count) {
    LinkState& state = ctx_.state;
    int attemptsLeft = state.RetryCount;
    for (;;) {
        state.CommError = true;
        state.CancelRequested = false;
        port_.FlushInput();
        // The bytes are taken from the image as the request is built.
        const Bytes request = BuildFrame("#CEPWR", Hex4(static_cast<unsigned>(address)),
                                         Hex2(static_cast<unsigned>(count)),
                                         HexBytes(&image.bytes[static_cast<size_t>(address)], static_cast<size_t>(count)));
        port_.SendFrame(request);
        state.CommError = true;
        const Code result = handshake_.WaitAck();
        if (result == Code::Done) return;
        if (handshake_.RetryAfter(result, attemptsLeft)) continue;
        return;
    }
}

ProgramOutcome RadioWriter::WriteData(const MemoryImage& image) {
    LinkState& state = ctx_.state;
    bool sent = false;
    try {
        if (!port_.PortOpen()) {
            state.CommError = true;
            ctx_.TellTitled(MessageId::CommunicationError, MessageId::ProgramToRadio, Icon::Critical, port_.OpenFailureText());
            return ProgramOutcome::NotStarted;
        }
        ctx_.SetProgress(0);
        bool stopped = false;
        for (const PlannedRow& row : WritePlan(image.lastAddress)) {
            ctx_.SetProgress(ProgressPercent(row.row, image.lastAddress));
            if (row.writes.empty()) ctx_.clock.Sleep(kSkippedRowPauseMs);
            for (const PlannedWrite& w : row.writes) {
                sent = true;
                WriteBlock(image, w.address, w.count);
                // A row of single bytes stops at its first failed or
                // cancelled write, so that the row's outcome is not hidden
                // by the writes after it.
                stopped = state.CommError || state.CancelRequested;
                if (stopped) break;
            }
            if (stopped) break;
        }
        port_.ClosePort();
        if (!state.CancelRequested) {
            if (state.CommError)
                ctx_.TellTitled(MessageId::CommunicationError, MessageId::ProgramToRadio);
            else
                ctx_.clock.Sleep(kPhaseEndPauseMs);
        }
        return stopped ? ProgramOutcome::Partial : ProgramOutcome::Complete;
    } catch (const std::exception& failure) {
        port_.ReportRuntimeFailure("frmRadio.WriteData", failure);
        return sent ? ProgramOutcome::Partial : ProgramOutcome::NotStarted;
    }
}

ProgramOutcome RadioWriter::ProgramToRadio(const DataSet& data) {
    LinkState& state = ctx_.state;
    const StageScope stage(ctx_, Words(MessageId::ProgrammingRadio));
    ctx_.SetControlsEnabled(false);
    if (!handshake_.StatusCheck()) {
        ctx_.Tell(MessageId::RadioNotReady);
        ctx_.SetControlsEnabled(true);
        return ProgramOutcome::NotStarted;
    }
    ProgramOutcome outcome = ProgramOutcome::NotStarted;
    reader_.ReadDataChkModel(data);
    if (!state.CommError) {
        port_.ShowMonitor(Words(MessageId::MonitorWriting));
        outcome = WriteData(data.image);
        if (!state.CommError && !state.CancelRequested) {
            port_.ShowMonitor("");
            ctx_.Tell(MessageId::Complete, Icon::Information);
        }
    }
    ctx_.SetControlsEnabled(true);
    return outcome;
}

}  // namespace rp770::link
