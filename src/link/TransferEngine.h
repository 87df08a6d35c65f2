#pragma once
// What the transfer dialog drives: the synchronisation and the two
// transfers, with the link's shared state. The radio link implements it;
// dialog tests use a fake.

#include <string>
#include <vector>

#include "core/ErrorLog.h"
#include "core/Model.h"
#include "core/Outcome.h"
#include "link/ProbeReport.h"

namespace rp770::link {

// Shared state of the radio link.
struct LinkState {
    int PortNumber = 1;         // COM port number
    std::string PortDevice;     // a device named by the user; empty: the default device of PortNumber
    int RetryCount = 3;         // attempts per command
    bool CommError = false;     // the last link step failed
    bool CancelRequested = false;
    bool DebugMode = false;     // monitor texts with 500 ms pauses
    bool NoEchoMode = false;    // echoes are not read back
};

// What the link tells the dialog while it works.
class TransferObserver {
public:
    virtual ~TransferObserver() = default;
    virtual void SetProgress(int percent) = 0;               // 0-100
    virtual void ShowMonitor(const std::string& text) = 0;   // debug mode only
    virtual void SetControlsEnabled(bool enabled) = 0;       // OK and Help buttons, busy pointer
    // What the link is doing or waiting for, in words, with the seconds a
    // long wait has lasted ("Waiting for the cable's echo... 12 s"); empty
    // when there is nothing to say. Shown whether or not in debug mode.
    virtual void ShowActivity(const std::string& text) = 0;
};

// How far a programming got.
enum class ProgramOutcome {
    NotStarted,  // no write request went out: the radio holds what it held
    Partial,     // it stopped part-way: the radio holds a mix of old and new data
    Complete,    // every byte to be written was acknowledged
};

// What the user is told whenever a programming ended part-way.
inline constexpr MessageId kPartlyProgrammed = MessageId::PartlyProgrammed;

class TransferEngine {
public:
    virtual ~TransferEngine() = default;
    virtual LinkState& State() = 0;
    // The caption of the dialog, used as the title of the link's messages.
    virtual void SetTitle(const std::string& title) = 0;
    virtual void SetObserver(TransferObserver* observer) = 0;
    // Who answers the link's questions ("Radio is busy!!"); none: the defaults.
    virtual void SetAsker(Asker* asker) = 0;
    // Where the link reports its run-time failures (the port that cannot be
    // opened, ...); an engine that has none to report may ignore it.
    virtual void SetErrorLog(ErrorLog& log) { (void)log; }
    // What the link has said since it was last asked, in order.
    virtual std::vector<Message> TakeMessages() = 0;
    // A progress text for the monitor (debug mode only, with its pause).
    virtual void ShowMonitor(const std::string& text) = 0;
    virtual bool SyncRadio() = 0;
    // Reads the radio into the data set; true when the whole image was read,
    // accepted, applied and decoded (the read-completed flag).
    virtual bool ReadFromRadio(DataSet& data) = 0;
    // Programs the data set's image (already encoded and fixed) into the radio.
    virtual ProgramOutcome ProgramToRadio(const DataSet& data) = 0;
    // The read that checks a programming or feeds a comparison: as
    // ReadFromRadio (after its own synchronisation), without the "Complete!!"
    // of a read; `stage` says what it is for while it runs.
    virtual bool ReadBack(DataSet& data, const std::string& stage) = 0;
    // The connection test: opens the port, checks the cable's echo with a
    // short limit, synchronises, reads the status and the model code and
    // ends with the abort that leaves the radio ready. It shows and asks
    // nothing itself: the report says what it found.
    virtual ProbeReport Probe() = 0;
};

}  // namespace rp770::link
