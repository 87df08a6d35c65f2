#include "link/RadioLink.h"

namespace rp770::link {

RadioLink::RadioLink(SerialPort& port, Clock& clock, Pump& pump, Asker* asker)
    : pump_(pump), clock_(clock), ctx_(port, clock_, pump_), port_(ctx_), handshake_(ctx_, port_),
      reader_(ctx_, port_, handshake_), writer_(ctx_, port_, handshake_, reader_),
      probe_(ctx_, port_, handshake_, reader_) {
    pump_.state = &ctx_.state;
    clock_.pace = &ctx_.pace;
    ctx_.asker = asker;
}

bool RadioLink::SyncRadio() {
    ctx_.pace.Start(ctx_.clock.Now());
    return handshake_.SyncRadio();
}

bool RadioLink::ReadFromRadio(DataSet& data) {
    const bool read = reader_.ReadFromRadio(data);
    AdviseOnPace(read);
    return read;
}

ProgramOutcome RadioLink::ProgramToRadio(const DataSet& data) {
    const ProgramOutcome outcome = writer_.ProgramToRadio(data);
    AdviseOnPace(outcome == ProgramOutcome::Complete);
    return outcome;
}

bool RadioLink::ReadBack(DataSet& data, const std::string& stage) {
    const bool read = reader_.ReadFromRadio(data, false, stage);
    AdviseOnPace(read);
    return read;
}

void RadioLink::AdviseOnPace(bool completed) {
    TransferPace& pace = ctx_.pace;
    if (!pace.running) return;
    pace.running = false;
    if (!completed) return;
    const double seconds = ctx_.clock.Now() - pace.start;
    const double bound = pace.BoundSeconds(ByteSeconds(kLineSettings));
    const PortLatency latency = ctx_.port.Latency();
    if (!WorthLatencyAdvice(latency, seconds, bound) || !advised_.insert(latency.device).second) return;
    ctx_.Tell(SlowTransferAdvice(latency, seconds, bound), Icon::Information);
}

void RadioLink::StoppablePump::Yield() {
    inner_.Yield();
    if (stopRequested && stopRequested()) state->CancelRequested = true;
}

ProbeReport RadioLink::Probe() {
    std::vector<Message> before = std::exchange(ctx_.messages, {});
    Asker* asker = std::exchange(ctx_.asker, nullptr);
    ProbeReport report = probe_.Run();
    ctx_.asker = asker;
    ctx_.messages = std::move(before);
    return report;
}

RadioLink::~RadioLink() { port_.ClosePort(); }

}  // namespace rp770::link
