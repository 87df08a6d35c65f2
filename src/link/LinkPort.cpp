#include "link/LinkPort.h"


#include "core/CommandLine.h"
#include "core/ErrorLog.h"
#include "core/Failure.h"

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

}  // namespace

bool LinkPort::Configure(std::string_view procedure) {
    SerialPort& port = ctx_.port;
    if (port.IsOpen()) port.Close();
    if (!port.Open(PortAddress{ctx_.state.PortNumber, ctx_.state.PortDevice}, kLineSettings)) {
        const PortError error = port.LastError();
        ReportError(procedure, std::to_string(error.number) + error.text);
        return false;
    }
    // Whatever the line held before the port was (re)opened is stale.
    DiscardReceived();
    ShowMonitor(port.Settings());
    return true;
}

bool LinkPort::PortOpen() {
    SerialPort& port = ctx_.port;
    if (port.IsOpen()) return true;
    if (!port.Open(PortAddress{ctx_.state.PortNumber, ctx_.state.PortDevice}, kLineSettings)) {
        const PortError error = port.LastError();
        ReportError("frmRadio.PortOpen", std::to_string(error.number) + error.text);
        return false;
    }
    DiscardReceived();
    return true;
}

void LinkPort::ClosePort() {
    if (ctx_.port.IsOpen()) ctx_.port.Close();
}

void LinkPort::DiscardReceived() {
    for (int n = ctx_.port.BytesAvailable(); n > 0; --n) ctx_.port.ReadByte();
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
    const double deadline = Now() + kEchoSeconds;
    size_t matched = 0;
    for (;;) {
        ctx_.pump.Yield();
        if (ctx_.port.BytesAvailable() > 0) {
            if (ctx_.port.ReadByte() != sent[matched]) return;
            ++matched;
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
    int last = -1;
    for (;;) {
        ctx_.pump.Yield();
        if (ctx_.port.BytesAvailable() > 0) last = ctx_.port.ReadByte();
        if (ctx_.state.CancelRequested) return Code::Cancelled;
        if (Now() > deadline || Silent()) return Code::TimeOut;
        if (last == value) return Code::Done;
    }
}

Reception LinkPort::ReadReplyLine(double seconds) {
    const double deadline = Now() + seconds;
    Reception r;
    bool afterCR = false;
    bool ended = false;
    Code ending = Code::Done;
    for (;;) {
        ctx_.pump.Yield();
        if (ctx_.port.BytesAvailable() > 0) {
            const int b = ctx_.port.ReadByte();
            if (afterCR) {
                ended = true;
                ending = b == kLF ? Code::Done : Code::Malformed;
            } else if (b == kCR) {
                afterCR = true;
            } else if (b >= 0) {
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
    Reception r;
    for (;;) {
        ctx_.pump.Yield();
        if (ctx_.port.BytesAvailable() > 0) {
            const int b = ctx_.port.ReadByte();
            if (b >= 0) r.text += static_cast<char>(b);
        }
        if (ctx_.state.CancelRequested) return {Code::Cancelled, r.text};
        if (Now() > deadline || Silent()) return {Code::TimeOut, r.text};
        if (EqualsIgnoringCase(r.text, "ERROR")) {
            // The refusal is a whole line: take its CR LF too (within the
            // same limit), so that a retry starts on a clean line.
            for (;;) {
                if (ctx_.port.BytesAvailable() > 0 && ctx_.port.ReadByte() == kLF) break;
                if (ctx_.state.CancelRequested || Now() > deadline || Silent()) break;
                ctx_.pump.Yield();
            }
            return {Code::ErrorText, r.text};
        }
        if (static_cast<int>(r.text.size()) >= count) return {Code::Done, r.text};
    }
}

Reception LinkPort::ReadToLineEnd(double seconds) {
    const double deadline = Now() + seconds;
    Reception r;
    bool afterCR = false;
    bool ended = false;
    for (;;) {
        ctx_.pump.Yield();
        if (ctx_.port.BytesAvailable() > 0) {
            const int b = ctx_.port.ReadByte();
            if (afterCR) {
                ended = b == kLF;
            } else if (b == kCR) {
                afterCR = true;
            } else if (b >= 0) {
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
            ctx_.port.ReadByte();
            lastByte = Now();
        }
        const double now = Now();
        if (now - lastByte > quietSeconds || now - start > limitSeconds) return;
    }
}

void LinkPort::ShowMonitor(const std::string& text) {
    if (!ctx_.state.DebugMode) return;
    if (ctx_.observer) ctx_.observer->ShowMonitor(text);
    ctx_.clock.Sleep(kMonitorPauseMs);
}

void LinkPort::ReportRuntimeFailure(std::string_view procedure, const std::exception& failure) {
    const Failure f = FailureFromException(failure);
    ReportError(procedure, f.LogText());
    ctx_.prompter.Message(std::to_string(f.Number()) + "\n\n" + f.Reason(), AppTitle, Icon::Critical);
    ctx_.state.CancelRequested = true;
    ClosePort();
}

}  // namespace rp770::link
