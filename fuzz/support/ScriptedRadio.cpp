#include "support/ScriptedRadio.h"

#include <algorithm>

namespace rp770::fuzz {

// Mostly none, so that an answer's timing is left alone unless the fuzzer
// asks; then around each limit of the protocol (1 s, 10 s, 100 s).
const std::array<double, 16> kAnswerDelays = {0, 0, 0, 0, 0.005, 0.05, 0.3, 0.95, 1.05, 2, 5, 9.95, 10.05, 20, 60, 101};

EchoMode ScriptAnswer::Echo() const {
    switch (control & 0x03) {
        case 2: return EchoMode::None;
        case 3: return EchoMode::Garbled;
        default: return EchoMode::Exact;
    }
}

Script ParseScript(const uint8_t* data, size_t size) {
    Script script;
    if (size == 0) return script;
    script.questionAnswers = data[0];
    size_t start = 1;
    while (start < size) {
        size_t end = start;
        while (end < size && data[end] != kAnswerSeparator) ++end;
        ScriptAnswer answer;
        if (end > start) {
            answer.control = data[start];
            answer.bytes.assign(data + start + 1, data + end);
        }
        script.answers.push_back(std::move(answer));
        start = end + 1;
    }
    return script;
}

Bytes FormatScript(const Script& script) {
    Bytes bytes{script.questionAnswers};
    for (size_t i = 0; i < script.answers.size(); ++i) {
        if (i > 0) bytes.push_back(kAnswerSeparator);
        bytes.push_back(script.answers[i].control);
        bytes.insert(bytes.end(), script.answers[i].bytes.begin(), script.answers[i].bytes.end());
    }
    return bytes;
}

void ScriptedUser::Message(const std::string& text, const std::string&, Icon) {
    boxes_.push_back(text);
    messages_.push_back(text);
}

Answer ScriptedUser::Ask(const std::string& text, const std::string&, Icon, Buttons buttons, Answer) {
    boxes_.push_back(text);
    const bool yes = asked_ < 7 && ((answers_ >> asked_) & 1) != 0;
    ++asked_;
    switch (buttons) {
        case Buttons::RetryCancel: return yes ? Answer::Retry : Answer::Cancel;
        case Buttons::YesNo:
        case Buttons::YesNoCancel: return yes ? Answer::Yes : Answer::No;
        default: return yes ? Answer::Ok : Answer::Cancel;
    }
}

ScriptedRadio::ScriptedRadio(Script script) : script_(std::move(script)) {}

bool ScriptedRadio::Open(const link::PortAddress&, const std::string& settings) {
    if (pulled_) {
        error_ = {1, "no such device"};
        return false;
    }
    if (open_) {
        error_ = {2, "the port is already open"};
        return false;
    }
    open_ = true;
    settings_ = settings;
    return true;
}

void ScriptedRadio::Close() {
    open_ = false;
    received_.clear();
}

bool ScriptedRadio::Write(const std::vector<uint8_t>& bytes) {
    longestQuiet_ = std::max(longestQuiet_, now_ - lastTransmission_);
    lastTransmission_ = now_;
    if (!open_) return false;
    transmissions_.push_back({now_, bytes});
    if (bytes.empty()) return true;
    Pending p;
    p.length = bytes.size();
    if (next_ < script_.answers.size()) {
        p.answered = true;
        p.answer = script_.answers[next_++];
    }
    pending_.push_back(std::move(p));
    line_.Send(sim::Side::Pc, now_, bytes);
    return true;
}

int ScriptedRadio::ReadByte() {
    if (received_.empty()) return -1;
    const uint8_t b = received_.front();
    received_.pop_front();
    readByPc_ += static_cast<char>(b);
    return b;
}

void ScriptedRadio::Yield() {
    double target = now_ + kIdleStepSeconds;
    if (const auto next = line_.NextTime(); next && *next < target) target = std::max(*next, now_);
    AdvanceTo(target);
}

double ScriptedRadio::LongestQuietSpell() const { return std::max(longestQuiet_, now_ - lastTransmission_); }

void ScriptedRadio::AdvanceTo(double time) {
    sim::LineEvent event;
    while (line_.PopArrived(time, event)) {
        now_ = std::max(now_, event.time);
        if (event.from == sim::Side::Pc)
            ArrivedAtRadio(event.byte);
        else
            ArrivedAtPc(event.byte);
    }
    now_ = std::max(now_, time);
}

void ScriptedRadio::ArrivedAtRadio(uint8_t byte) {
    if (pending_.empty()) return;  // cannot happen: every byte on the line belongs to a transmission
    Pending& p = pending_.front();
    // The cable's own loop: each byte comes straight back to the PC.
    const EchoMode echo = p.answered ? p.answer.Echo() : EchoMode::Exact;
    if (echo == EchoMode::Exact) {
        if (open_) received_.push_back(byte);
    } else if (echo == EchoMode::Garbled) {
        if (open_) received_.push_back(p.arrived == 0 ? static_cast<uint8_t>(byte ^ 0x01) : byte);
    }
    if (++p.arrived < p.length) return;
    const Pending done = std::move(p);
    pending_.pop_front();
    if (done.answered) Answer(done.answer);
}

void ScriptedRadio::Answer(const ScriptAnswer& answer) {
    const uint64_t first = radioBytesSent_ + 1;
    radioBytesSent_ += answer.bytes.size();
    if (!answer.bytes.empty()) line_.Send(sim::Side::Radio, now_, answer.bytes, answer.Delay());
    if (answer.CancelAtStart()) {
        if (answer.bytes.empty())
            Act({0, true, false});
        else
            markers_.push_back({first, true, false});
    }
    if (answer.PullAfter()) {
        if (answer.bytes.empty())
            Act({0, false, true});
        else
            markers_.push_back({radioBytesSent_, false, true});
    }
}

void ScriptedRadio::ArrivedAtPc(uint8_t byte) {
    ++radioBytesArrived_;
    if (open_) received_.push_back(byte);
    while (!markers_.empty() && markers_.front().radioByte <= radioBytesArrived_) {
        const Marker m = markers_.front();
        markers_.pop_front();
        Act(m);
    }
}

void ScriptedRadio::Act(const Marker& marker) {
    if (marker.cancel && cancel_) cancel_();
    if (marker.pull) {
        pulled_ = true;
        open_ = false;
        received_.clear();
        error_ = {9, "the device was removed"};
    }
}

}  // namespace rp770::fuzz
