#pragma once
// Failures the simulated radio can be told to show, each with a name so that
// a command-line flag can select it ("no-probe", "silent-from=10", ...).
// Block requests ("#CEPRD" and "#CEPWR", the model check's reads included)
// are numbered from 1 in the order the radio receives them; so are the bytes
// the radio sends (echoes not counted) and the echoes.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace rp770::sim {

enum class AcmdAnswer { Ok, Unknown, Error, None, Other, BadLineEnd };

struct Faults {
    bool off = false;                // not in PC CONTROL mode: nothing is answered (the cable still echoes)
    bool noProbe = false;            // "P" goes unanswered
    AcmdAnswer acmd = AcmdAnswer::Ok;
    bool syncOnce = false;           // only the first "#CMDSY" is acknowledged
    int busyReplies = 0;             // status "01" this many times (-1: always)
    int statusErrors = 0;            // "ERROR" to this many status requests (-1: always)
    bool statusChecksum = false;     // the status reply's checksum is wrong
    int checksumAt = 0;              // data reply of this block request: wrong checksum
    int addressAt = 0;               //   ... wrong address
    int countAt = 0;                 //   ... wrong byte count
    int lengthAt = 0;                //   ... one data byte short
    int headerAt = 0;                //   ... a header other than "#CEPDT"
    int errorAt = 0;                 // "ERROR" instead of "#CMDOK" from this block request
    int errorTimes = 1;              //   ... for this many requests in a row
    int silentFrom = 0;              // no answer at all from this block request on
    bool noEcho = false;
    int dropByte = 0;                // the n-th byte the radio sends is lost
    int corruptByte = 0;             // the n-th byte the radio sends is changed
    int dropEcho = 0;
    int corruptEcho = 0;
    std::optional<uint16_t> modelCode;      // both model-code copies hold this
    std::optional<uint16_t> modelCodeTail;  // only the trailing copy holds this
    double replyDelay = 0;           // seconds the radio thinks before each answer
    std::vector<int> keep;           // addresses whose writes are acknowledged but not taken
};

// Adds one fault, "NAME" or "NAME=ARG". False, with a reason, when the name
// or its argument is not understood.
bool ApplyFault(Faults& faults, std::string_view text, std::string& error);

// One line per fault name, for --help.
std::string FaultHelp();

// Every fault name, in the order of FaultHelp().
std::vector<std::string> FaultNames();

}  // namespace rp770::sim
