#pragma once
// The PC end of the cable as the protocol uses it: opening and closing the
// port, the send primitives (each followed by reading back its own echo) and
// the receive primitives. Every wait polls the port and yields to the pump
// on each pass, so that a Cancel can arrive; deadlines use the monotonic
// clock.

#include <cstdint>
#include <exception>
#include <string>
#include <string_view>

#include "link/Frame.h"
#include "link/LinkCodes.h"
#include "link/LinkContext.h"

namespace rp770::link {

inline constexpr int kSendPauseMs = 10;
inline constexpr int kMonitorPauseMs = 500;
// After "ERROR", the rest of its line is taken while bytes keep coming; a
// gap this long (many character times at 4800 baud) ends it.
inline constexpr double kLineGapSeconds = 0.1;

class LinkPort {
public:
    explicit LinkPort(LinkContext& context) : ctx_(context) {}

    // (Re)configure and open the port; false, logged under their names, on failure.
    bool PortInit() { return Configure("frmRadio.PortInit"); }
    bool PortInitCP() { return Configure("frmRadio.PortInitCP"); }
    // Opens the port if it is not open yet.
    bool PortOpen();
    void ClosePort();

    void FlushInput();
    void SendByte(uint8_t byte);
    void SendText(std::string_view text);  // followed by CR LF
    void SendFrame(const Bytes& frame);
    void ConsumeEcho(const Bytes& sent);

    Code WaitByte(uint8_t value, double seconds);
    Reception ReadReplyLine(double seconds);
    Reception ReadChars(int count, double seconds);
    Reception ReadToLineEnd(double seconds);

    // Reads and drops whatever arrives until no byte came for `quietSeconds`
    // (or `limitSeconds` have passed). Not cancellable: it runs while a
    // cancel is being carried out.
    void SettleLine(double quietSeconds, double limitSeconds);

    // Debug mode only: the text goes to the dialog's monitor, then a pause.
    void ShowMonitor(const std::string& text);

    // Why the last open failed, in words: the device, the system's reason,
    // what to do. Told under the program's own message.
    std::string OpenFailureText() const;

    // From now on, an echo is awaited only `seconds` for as long as nothing
    // at all has been heard since this call (0: the protocol's wait always).
    void WatchForSilence(double seconds);
    bool NothingHeard() const { return echoBytes_ == echoMark_ && heardBytes_ == heardMark_; }

    // What was heard so far: bytes of good echoes, and bytes that came in
    // while waiting for the radio (counts that only grow).
    int EchoBytes() const { return echoBytes_; }
    int HeardBytes() const { return heardBytes_; }
    // While synchronising, a wait for the radio reminds of PC CONTROL mode.
    void SetSynchronising(bool on) { synchronising_ = on; }

    // An unexpected failure inside a block phase: logged under the
    // procedure's name, shown, the transfer cancelled and the port closed.
    void ReportRuntimeFailure(std::string_view procedure, const std::exception& failure);

private:
    bool Configure(std::string_view procedure);
    bool OpenPort(std::string_view procedure);
    void Transmit(const Bytes& bytes);
    // One received byte, or -1 when none is waiting; counts what was heard.
    int Receive();
    MessageId RadioWait() const;
    void DiscardReceived();
    // No byte can come any more: the port is closed or was lost.
    bool Silent() const { return !ctx_.port.IsOpen(); }
    double Now() { return ctx_.clock.Now(); }

    LinkContext& ctx_;
    PortError openError_;
    int echoBytes_ = 0;
    int heardBytes_ = 0;
    bool synchronising_ = false;
    double silentEchoSeconds_ = 0;  // WatchForSilence
    int echoMark_ = 0;
    int heardMark_ = 0;
};

}  // namespace rp770::link
