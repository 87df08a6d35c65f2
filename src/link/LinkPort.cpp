#include "link/LinkPort.h"

#include <algorithm>

#include "core/CommandLine.h"
#include "core/ErrorLog.h"
#include "core/Failure.h"
#include "link/LinkAdvice.h"

namespace rp770::link {

namespace {

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; };
        if (lower(a[i]) != lower(b[i])) return false;
    }
    return true;
}

// Tells the observer what a wait is for once it has lasted a second, then
// each second; when it ends, the activity line says what the link is doing.
class VisibleWait {
public:
    VisibleWait(LinkContext& context, MessageId what) : ctx_(context), what_(what), start_(context.clock.Now()) {}
    ~VisibleWait() {
        if (shown_ > 0) ctx_.ShowActivity(ctx_.stage);
    }
    VisibleWait(const VisibleWait&) = delete;
    VisibleWait& operator=(const VisibleWait&) = delete;
    void Tick() {
        const double elapsed = ctx_.clock.Now() - start_;
        if (elapsed < 1) return;
        const int seconds = static_cast<int>(elapsed);
        if (seconds == shown_) return;
        shown_ = seconds;
        ctx_.ShowActivity(Words(MessageId::WaitingSeconds, MessageText(what_), std::to_string(seconds)));
    }

private:
    LinkContext& ctx_;
    MessageId what_;
    double start_;
    int shown_ = 0;
};

}  // namespace

bool LinkPort::OpenPort(std::string_view procedure) {
    SerialPort& port = ctx_.port;
    if (!port.Open(PortAddress{ctx_.state.PortNumber, ctx_.state.PortDevice}, kLineSettings)) {
        openError_ = port.LastError();
        ctx_.log->Report(procedure, std::to_string(openError_.number) + openError_.text);
        return false;
    }
    // Whatever the line held before the port was (re)opened is stale.
    DiscardReceived();
    return true;
}

bool LinkPort::Configure(std::string_view procedure) {
    if (ctx_.port.IsOpen()) ctx_.port.Close();
    if (!OpenPort(procedure)) return false;
    ShowMonitor(ctx_.port.Settings());
    return true;
}

bool LinkPort::PortOpen() { return ctx_.port.IsOpen() || OpenPort("frmRadio.PortOpen"); }

std::string LinkPort::OpenFailureText() const {
    const LinkState& state = ctx_.state;
    return link::OpenFailureText(openError_, state.PortDevice.empty() ? "COM" + std::to_string(state.PortNumber)
                                                                      : state.PortDevice);
}

MessageId LinkPort::RadioWait() const { return synchronising_ ? kWaitRadioInSync : kWaitRadio; }

int LinkPort::Receive() {
    if (ctx_.port.BytesAvailable() <= 0) return -1;
    const int b = ctx_.port.ReadByte();
    if (b >= 0) {
        ++heardBytes_;
        ctx_.pace.Carried(1);
    }
    return b;
}

void LinkPort::ClosePort() {
    if (ctx_.port.IsOpen()) ctx_.port.Close();
}

void LinkPort::DiscardReceived() {
    for (int n = ctx_.port.BytesAvailable(); n > 0; --n)
        if (ctx_.port.ReadByte() >= 0) ctx_.pace.Carried(1);
}

void LinkPort::FlushInput() { DiscardReceived(); }

void LinkPort::SendByte(uint8_t byte) {
    FlushInput();
    Transmit(Bytes{byte});
}

void LinkPort::SendText(std::string_view text) {
    Bytes bytes = ToBytes(text);
    bytes.push_back(kCR);
    bytes.push_back(kLF);
    Transmit(bytes);
}

void LinkPort::SendFrame(const Bytes& frame) { Transmit(frame); }

void LinkPort::Transmit(const Bytes& bytes) {
    ctx_.clock.Sleep(kSendPauseMs);
    // Nothing is ever sent to a closed or lost port; the echo check then
    // fails at once, as if the echo never came.
    if (ctx_.port.IsOpen() && ctx_.port.Write(bytes)) {
        ctx_.pace.Carried(bytes.size());
        ConsumeEcho(bytes);
        return;
    }
    if (ctx_.state.NoEchoMode) return;
    ctx_.state.CommError = true;
    ctx_.state.CancelRequested = false;
}

void LinkPort::ConsumeEcho(const Bytes& sent) {
    LinkState& state = ctx_.state;
    if (state.NoEchoMode) return;
    state.CommError = true;
    state.CancelRequested = false;
    if (sent.empty()) return;
    const bool silent = silentEchoSeconds_ > 0 && NothingHeard();
    const double deadline = Now() + (silent ? std::min(silentEchoSeconds_, ctx_.limits.echoSeconds) : ctx_.limits.echoSeconds);
    VisibleWait wait(ctx_, kWaitEcho);
    size_t matched = 0;
    for (;;) {
        ctx_.pump.Yield();
        wait.Tick();
        if (ctx_.port.BytesAvailable() > 0) {
            if (ctx_.port.ReadByte() != sent[matched]) return;
            ++matched;
            ++echoBytes_;
        }
        if (state.CancelRequested) return;
        if (Now() > deadline || Silent()) return;
        if (matched == sent.size()) {
            state.CommError = false;
            return;
        }
    }
}

Code LinkPort::WaitByte(uint8_t value, double seconds) {
    const double deadline = Now() + seconds;
    VisibleWait wait(ctx_, RadioWait());
    int last = -1;
    for (;;) {
        ctx_.pump.Yield();
        wait.Tick();
        if (const int b = Receive(); b >= 0) last = b;
        if (ctx_.state.CancelRequested) return Code::Cancelled;
        if (Now() > deadline || Silent()) return Code::TimeOut;
        if (last == value) return Code::Done;
    }
}

Reception LinkPort::ReadReplyLine(double seconds) {
    const double deadline = Now() + seconds;
    VisibleWait wait(ctx_, RadioWait());
    Reception r;
    bool afterCR = false;
    bool ended = false;
    Code ending = Code::Done;
    for (;;) {
        ctx_.pump.Yield();
        wait.Tick();
        if (const int b = Receive(); b >= 0) {
            if (afterCR) {
                ended = true;
                ending = b == kLF ? Code::Done : Code::Malformed;
            } else if (b == kCR) {
                afterCR = true;
            } else {
                r.text += static_cast<char>(b);
            }
        }
        if (ctx_.state.CancelRequested) return {Code::Cancelled, r.text};
        if (Now() > deadline || Silent()) return {Code::TimeOut, r.text};
        if (ended) return {ending, r.text};
    }
}

Reception LinkPort::ReadChars(int count, double seconds) {
    const double deadline = Now() + seconds;
    VisibleWait wait(ctx_, RadioWait());
    Reception r;
    for (;;) {
        ctx_.pump.Yield();
        wait.Tick();
        if (const int b = Receive(); b >= 0) r.text += static_cast<char>(b);
        if (ctx_.state.CancelRequested) return {Code::Cancelled, r.text};
        if (Now() > deadline || Silent()) return {Code::TimeOut, r.text};
        if (EqualsIgnoringCase(r.text, "ERROR")) {
            // The refusal is a whole line: take what follows of it (its CR
            // LF, when the radio sends them) while bytes keep coming, so that
            // a retry starts on a clean line, and at once either way.
            double quietSince = Now();
            for (;;) {
                if (const int b = Receive(); b >= 0) {
                    if (b == kLF) break;
                    quietSince = Now();
                }
                if (ctx_.state.CancelRequested || Now() > deadline || Silent()) break;
                if (Now() - quietSince > kLineGapSeconds) break;
                ctx_.pump.Yield();
            }
            return {Code::ErrorText, r.text};
        }
        if (static_cast<int>(r.text.size()) >= count) return {Code::Done, r.text};
    }
}

Reception LinkPort::ReadToLineEnd(double seconds) {
    const double deadline = Now() + seconds;
    VisibleWait wait(ctx_, RadioWait());
    Reception r;
    bool afterCR = false;
    bool ended = false;
    for (;;) {
        ctx_.pump.Yield();
        wait.Tick();
        if (const int b = Receive(); b >= 0) {
            if (afterCR) {
                ended = b == kLF;
            } else if (b == kCR) {
                afterCR = true;
            } else {
                r.text += static_cast<char>(b);
            }
        }
        if (ctx_.state.CancelRequested) return {Code::Cancelled, r.text};
        if (Now() > deadline || Silent()) return {Code::TimeOut, r.text};
        if (ended) return {Code::Done, r.text};
    }
}

void LinkPort::SettleLine(double quietSeconds, double limitSeconds) {
    const double start = Now();
    double lastByte = start;
    while (!Silent()) {
        ctx_.pump.Yield();
        for (int n = ctx_.port.BytesAvailable(); n > 0; --n) {
            if (ctx_.port.ReadByte() >= 0) ctx_.pace.Carried(1);
            lastByte = Now();
        }
        const double now = Now();
        if (now - lastByte > quietSeconds || now - start > limitSeconds) return;
    }
}

void LinkPort::WatchForSilence(double seconds) {
    silentEchoSeconds_ = seconds;
    echoMark_ = echoBytes_;
    heardMark_ = heardBytes_;
}

void LinkPort::ShowMonitor(const std::string& text) {
    if (!ctx_.state.DebugMode) return;
    if (ctx_.observer) ctx_.observer->ShowMonitor(text);
    ctx_.clock.Sleep(kMonitorPauseMs);
}

void LinkPort::ReportRuntimeFailure(std::string_view procedure, const std::exception& failure) {
    const Failure f = FailureFromException(failure);
    ctx_.log->Report(procedure, f.LogText());
    ctx_.TellTitled(std::to_string(f.Number()) + "\n\n" + f.Reason(), AppTitle, Icon::Critical);
    ctx_.state.CancelRequested = true;
    ClosePort();
}

}  // namespace rp770::link
