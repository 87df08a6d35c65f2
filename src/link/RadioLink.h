#pragma once
// The radio link the transfer dialog drives: synchronisation, read and
// programming over an injected serial port, clock and pump. It shows
// nothing: what it says is taken with TakeMessages(), what it asks goes to
// the asker.

#include <functional>
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
    bool SyncRadio() override { return handshake_.SyncRadio(); }
    bool ReadFromRadio(DataSet& data) override { return reader_.ReadFromRadio(data); }
    ProgramOutcome ProgramToRadio(const DataSet& data) override { return writer_.ProgramToRadio(data); }
    bool ReadBack(DataSet& data, const std::string& stage) override {
        return reader_.ReadFromRadio(data, false, stage);
    }
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
    LinkContext ctx_;
    LinkPort port_;
    Handshake handshake_;
    RadioReader reader_;
    RadioWriter writer_;
    ConnectionProbe probe_;
};

}  // namespace rp770::link
