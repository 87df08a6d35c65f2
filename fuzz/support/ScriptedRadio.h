#pragma once
// A stand-in for the radio that answers from a script, on a virtual clock.
// It is the PC's serial port, clock and message pump at once: every
// transmission of the PC travels the line at 4800 baud, is echoed (or not,
// or garbled) and is answered with the script's next answer after a chosen
// delay. When the script runs out the radio says nothing more, while the
// cable still echoes.
//
// The script as bytes (what the fuzzers are given):
//   byte 0     bits 0-6: the user's answers to the first seven questions,
//              bit 0 first (set: Retry or OK; clear: Cancel; later questions:
//              Cancel); bit 7: the program runs with the no-echo switch
//   then       answers separated by 0xFE; an answer is a control byte
//              followed by the bytes the radio sends
// Control byte: bits 0-1 the echo (0 or 1: exact, 2: none, 3: its first byte
// changed); bits 2-5 the delay before the answer (an index into
// kAnswerDelays); bit 6 the cable is pulled once the answer is out; bit 7
// the user presses Cancel as the answer starts to arrive.

#include <array>
#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "core/Services.h"
#include "platform/Prompter.h"
#include "link/SerialPort.h"
#include "sim/HalfDuplexLine.h"

namespace rp770::fuzz {

using Bytes = std::vector<uint8_t>;

inline constexpr uint8_t kAnswerSeparator = 0xFE;
inline constexpr int kScriptBaud = 4800;
// How far an idle pump pass moves the clock when nothing is on the line.
inline constexpr double kIdleStepSeconds = 0.02;
extern const std::array<double, 16> kAnswerDelays;

enum class EchoMode { Exact, None, Garbled };

struct ScriptAnswer {
    uint8_t control = 0;
    Bytes bytes;
    EchoMode Echo() const;
    double Delay() const { return kAnswerDelays[(control >> 2) & 0x0F]; }
    bool PullAfter() const { return (control & 0x40) != 0; }
    bool CancelAtStart() const { return (control & 0x80) != 0; }
};

struct Script {
    uint8_t questionAnswers = 0;  // byte 0
    bool NoEchoSwitch() const { return (questionAnswers & 0x80) != 0; }
    std::vector<ScriptAnswer> answers;
};

Script ParseScript(const uint8_t* data, size_t size);
Bytes FormatScript(const Script& script);

// The user's side: answers questions from the script, records every box.
class ScriptedUser : public Prompter {
public:
    explicit ScriptedUser(uint8_t answers) : answers_(answers) {}
    void Message(const std::string& text, const std::string& title, Icon icon) override;
    Answer Ask(const std::string& text, const std::string& title, Icon icon, Buttons buttons,
               Answer defaultAnswer) override;
    const std::vector<std::string>& Boxes() const { return boxes_; }
    const std::vector<std::string>& Messages() const { return messages_; }

private:
    uint8_t answers_;
    int asked_ = 0;
    std::vector<std::string> boxes_;     // every box, questions included
    std::vector<std::string> messages_;  // messages only
};

struct Transmission {
    double time = 0;
    Bytes bytes;
};

class ScriptedRadio : public link::SerialPort, public Clock, public Pump {
public:
    explicit ScriptedRadio(Script script);

    // What pressing Cancel does (the link's CancelRequested).
    void OnCancel(std::function<void()> press) { cancel_ = std::move(press); }

    // SerialPort
    bool Open(const link::PortAddress& address, const std::string& settings) override;
    void Close() override;
    bool IsOpen() const override { return open_; }
    std::string Settings() const override { return open_ ? settings_ : std::string(); }
    bool Write(const std::vector<uint8_t>& bytes) override;
    int BytesAvailable() override { return static_cast<int>(received_.size()); }
    int ReadByte() override;
    link::PortError LastError() const override { return error_; }
    // Clock
    double Now() override { return now_; }
    void Sleep(int milliseconds) override { AdvanceTo(now_ + milliseconds / 1000.0); }
    // Pump
    void Yield() override;

    // What happened on the PC's side.
    const std::vector<Transmission>& Transmissions() const { return transmissions_; }
    // Every byte the PC took from the port, in order (echoes and discarded bytes too).
    const std::string& ReadByPc() const { return readByPc_; }
    // The longest stretch of time without a transmission of the PC, up to now.
    double LongestQuietSpell() const;
    bool Pulled() const { return pulled_; }
    size_t AnswersUsed() const { return next_; }

private:
    struct Marker {
        uint64_t radioByte;  // takes effect when this many radio bytes have arrived
        bool cancel;
        bool pull;
    };
    struct Pending {         // a transmission of the PC on its way to the radio
        size_t length = 0;
        size_t arrived = 0;
        bool answered = false;  // the script still had an answer for it
        ScriptAnswer answer;
    };
    void AdvanceTo(double time);
    void ArrivedAtRadio(uint8_t byte);
    void ArrivedAtPc(uint8_t byte);
    void Answer(const ScriptAnswer& answer);
    void Act(const Marker& marker);

    Script script_;
    size_t next_ = 0;
    sim::HalfDuplexLine line_{kScriptBaud};
    double now_ = 0;
    bool open_ = false;
    bool pulled_ = false;
    std::string settings_;
    link::PortError error_;
    std::deque<uint8_t> received_;
    std::function<void()> cancel_;

    std::deque<Pending> pending_;
    uint64_t radioBytesSent_ = 0;
    uint64_t radioBytesArrived_ = 0;
    std::deque<Marker> markers_;

    std::vector<Transmission> transmissions_;
    std::string readByPc_;
    double lastTransmission_ = 0;
    double longestQuiet_ = 0;
};

}  // namespace rp770::fuzz
