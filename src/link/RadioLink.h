#pragma once
// The radio link the transfer dialog drives: synchronisation, read and
// programming over an injected serial port, clock and pump. It shows
// nothing: what it says is taken with TakeMessages(), what it asks goes to
// the asker.

#include <functional>
#include <set>
#include <string>
#include <utility>

#include "link/ConnectionProbe.h"
#include "link/Handshake.h"
#include "link/LinkContext.h"
#include "link/LinkPort.h"
#include "link/RadioReader.h"
#include "link/RadioWriter.h"
#include "link/TransferEngine.h"

namespace rp770::link {

class RadioLink : public TransferEngine {
public:
    RadioLink(SerialPort& port, Clock& clock, Pump& pump, Asker* asker = nullptr);
    ~RadioLink() override;
    RadioLink(const RadioLink&) = delete;
    RadioLink& operator=(const RadioLink&) = delete;

    LinkState& State() override { return ctx_.state; }
    void SetTitle(const std::string& title) override { ctx_.title = title; }
    void SetObserver(TransferObserver* observer) override { ctx_.observer = observer; }
    void SetAsker(Asker* asker) override { ctx_.asker = asker; }
    void SetErrorLog(ErrorLog& log) override { ctx_.log = &log; }
    std::vector<Message> TakeMessages() override { return std::exchange(ctx_.messages, {}); }
    void ShowMonitor(const std::string& text) override { port_.ShowMonitor(text); }
    // A transfer is timed from its synchronisation to its end; one that ran
    // slow for want of low latency is followed by advice (TransferPace.h),
    // once for each device.
    bool SyncRadio() override;
    bool ReadFromRadio(DataSet& data) override;
    ProgramOutcome ProgramToRadio(const DataSet& data) override;
    bool ReadBack(DataSet& data, const std::string& stage) override;
    // The steps the test reuses say nothing: their messages are dropped,
    // their questions take the default answer.
    ProbeReport Probe() override;

    // A request to stop from outside the window (Ctrl+C on the command
    // line), asked after every yield of every wait: while it holds, the
    // transfer is cancelled as by the Cancel button, again after each echo
    // has cleared the cancel.
    void SetStopRequest(std::function<bool()> requested) { pump_.stopRequested = std::move(requested); }

    // The layers underneath, for callers and tests that need single steps.
    LinkPort& Port() { return port_; }
    Handshake& Handshaking() { return handshake_; }
    RadioReader& Reader() { return reader_; }
    RadioWriter& Writer() { return writer_; }
    const std::string& Title() const { return ctx_.title; }

private:
    // The injected clock, its pauses counted for the transfer's pace.
    class PacedClock : public Clock {
    public:
        explicit PacedClock(Clock& inner) : inner_(inner) {}
        double Now() override { return inner_.Now(); }
        void Sleep(int milliseconds) override {
            if (pace) pace->Paused(milliseconds);
            inner_.Sleep(milliseconds);
        }
        TransferPace* pace = nullptr;

    private:
        Clock& inner_;
    };
    // After a transfer that did what it was asked: the advice, if it is due.
    void AdviseOnPace(bool completed);

    // The injected pump, then the stop request.
    class StoppablePump : public Pump {
    public:
        explicit StoppablePump(Pump& inner) : inner_(inner) {}
        void Yield() override;
        std::function<bool()> stopRequested;
        LinkState* state = nullptr;

    private:
        Pump& inner_;
    };

    StoppablePump pump_;
    PacedClock clock_;
    LinkContext ctx_;
    LinkPort port_;
    Handshake handshake_;
    RadioReader reader_;
    RadioWriter writer_;
    ConnectionProbe probe_;
    std::set<std::string> advised_;  // the devices whose slowness has been explained
};

}  // namespace rp770::link
