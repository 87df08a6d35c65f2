// The radio's side of a whole programming, chosen by the fuzzer (see
// support/ScriptedRadio.h). Programming never changes the data set, never
// sends a byte the radio keeps, sends the image's own bytes in address
// order, and says "Complete!!" only when every writable byte went out.
#include <cstdint>
#include <set>
#include <string>

#include "core/MemoryImage.h"
#include "support/FuzzCheck.h"
#include "support/LinkChecks.h"
#include "support/ModelChecks.h"
#include "support/ScriptedLink.h"

using namespace rp770;
using namespace rp770::fuzz;

namespace {

// The factory data with a distinct value in every byte, model codes kept.
DataSet ImageToProgram() {
    DataSet data = FactoryData();
    for (int a = 2; a < 1022; ++a) data.image[a] = static_cast<uint8_t>(a * 7 + 3);
    return data;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
    static const DataSet kImage = ImageToProgram();
    ScriptedLink s(bytes, size, "Program to Radio");
    DataSet data = kImage;

    const bool synced = s.link.SyncRadio();
    if (synced) s.link.ProgramToRadio(data);
    const link::LinkState& state = s.link.State();
    s.ShowMessages();
    const auto& messages = s.user.Messages();

    FUZZ_CHECK(SameData(data, kImage), "programming changed " + FirstDifference(data, kImage));
    FUZZ_CHECK(s.radio.LongestQuietSpell() <= LongestAllowedQuietSpell(),
               "the PC waited " + std::to_string(s.radio.LongestQuietSpell()) + " s without a word");
    CheckTransmissions(s.radio.Transmissions());
    for (const std::string& box : s.user.Boxes()) FUZZ_CHECK(IsLinkText(box), "an unknown message: " + box);

    std::set<int> sent;
    int lastAddress = -1;
    for (const WriteRequest& w : WriteRequests(s.radio.Transmissions())) {
        FUZZ_CHECK(w.address >= lastAddress, "write requests out of address order");
        lastAddress = w.address;
        for (int i = 0; i < w.count; ++i) {
            const int a = w.address + i;
            FUZZ_CHECK(!RadioKeeps(a), "a write request carried byte " + std::to_string(a) + ", which the radio keeps");
            FUZZ_CHECK(w.data[static_cast<size_t>(i)] == data.image[a], "a write request carried another byte than the image's");
            sent.insert(a);
        }
    }
    const bool complete = !messages.empty() && messages.back() == "Complete!!";
    if (complete) {
        FUZZ_CHECK(synced && !state.CommError && !state.CancelRequested, "\"Complete!!\" after a failure");
        for (int a = 0; a < 0x400; ++a)
            FUZZ_CHECK(RadioKeeps(a) || sent.count(a) == 1, "\"Complete!!\" but byte " + std::to_string(a) + " never went out");
    } else if (synced && !state.CancelRequested) {
        FUZZ_CHECK(!messages.empty(), "a failed programming said nothing");
    }
    return 0;
}
