#pragma once
// The radio link the transfer dialog drives: synchronisation, read and
// programming over an injected serial port, clock, pump and prompter.

#include "link/Handshake.h"
#include "link/LinkContext.h"
#include "link/LinkPort.h"
#include "link/RadioReader.h"
#include "link/RadioWriter.h"
#include "link/TransferEngine.h"

namespace rp770::link {

class RadioLink : public TransferEngine {
public:
    RadioLink(SerialPort& port, Clock& clock, Pump& pump, Prompter& prompter);
    ~RadioLink() override;
    RadioLink(const RadioLink&) = delete;
    RadioLink& operator=(const RadioLink&) = delete;

    LinkState& State() override { return ctx_.state; }
    void SetTitle(const std::string& title) override { ctx_.title = title; }
    void SetObserver(TransferObserver* observer) override { ctx_.observer = observer; }
    void ShowMonitor(const std::string& text) override { port_.ShowMonitor(text); }
    bool SyncRadio() override { return handshake_.SyncRadio(); }
    bool ReadFromRadio(DataSet& data) override { return reader_.ReadFromRadio(data); }
    bool ProgramToRadio(const DataSet& data) override { return writer_.ProgramToRadio(data); }

    // The layers underneath, for callers and tests that need single steps.
    LinkPort& Port() { return port_; }
    Handshake& Handshaking() { return handshake_; }
    RadioReader& Reader() { return reader_; }
    RadioWriter& Writer() { return writer_; }
    const std::string& Title() const { return ctx_.title; }

private:
    LinkContext ctx_;
    LinkPort port_;
    Handshake handshake_;
    RadioReader reader_;
    RadioWriter writer_;
};

}  // namespace rp770::link
