#pragma once
// The connection test: is the port there, does the cable echo, does a radio
// answer, which model is it? It opens the port, sends the probe with a
// short echo limit, synchronises with short limits, checks the status,
// reads the model code from both ends of the memory and ends the
// conversation with the abort of a cancelled read, so that the radio is
// left ready for a transfer.

#include "link/Handshake.h"
#include "link/LinkContext.h"
#include "link/LinkPort.h"
#include "link/ProbeReport.h"
#include "link/RadioReader.h"

namespace rp770::link {

// The test's limits: a silent line is found out in a few seconds, a radio
// that does not answer in a quarter of a minute.
inline constexpr double kProbeEchoSeconds = 3;
inline constexpr double kProbeAckSeconds = 3;

class ConnectionProbe {
public:
    ConnectionProbe(LinkContext& context, LinkPort& port, Handshake& handshake, RadioReader& reader)
        : ctx_(context), port_(port), handshake_(handshake), reader_(reader) {}

    // Runs the test; the link's limits and retry count are its own for the
    // time it runs. What the steps it reuses say is left with the link's
    // messages: the caller decides whether they are shown.
    ProbeReport Run();

private:
    ProbeReport Test();
    // After synchronising: the abort that leaves the radio ready, then the port closed.
    void EndConversation();

    LinkContext& ctx_;
    LinkPort& port_;
    Handshake& handshake_;
    RadioReader& reader_;
};

}  // namespace rp770::link
