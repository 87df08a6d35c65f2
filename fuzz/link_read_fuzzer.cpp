// The radio's side of a whole read, chosen by the fuzzer: answers, echoes,
// delays, a pulled cable and the Cancel button (see support/ScriptedRadio.h).
// A read that does not complete leaves the data set bit for bit as it was;
// one that completes took every block from a sound reply for its address.
#include <cstdint>
#include <string>

#include "core/MemoryImage.h"
#include "support/FuzzCheck.h"
#include "support/LinkChecks.h"
#include "support/ModelChecks.h"
#include "support/ScriptedLink.h"

using namespace rp770;
using namespace rp770::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
    ScriptedLink s(bytes, size, "Read from Radio");
    DataSet data = FactoryData();
    // Model-code bytes no radio sends, so that taking them would show.
    data.image[0] = 0xAA;
    data.image[1] = 0xBB;
    const DataSet before = data;

    const bool synced = s.link.SyncRadio();
    const bool read = synced && s.link.ReadFromRadio(data);
    const link::LinkState& state = s.link.State();
    s.ShowMessages();
    const auto& messages = s.user.Messages();

    FUZZ_CHECK(s.radio.LongestQuietSpell() <= LongestAllowedQuietSpell(),
               "the PC waited " + std::to_string(s.radio.LongestQuietSpell()) + " s without a word");
    CheckTransmissions(s.radio.Transmissions());
    for (const std::string& box : s.user.Boxes()) FUZZ_CHECK(IsLinkText(box), "an unknown message: " + box);
    const bool complete = !messages.empty() && messages.back() == "Complete!!";
    FUZZ_CHECK(complete == read, "\"Complete!!\" must be shown exactly when the read completed");

    if (!read) {
        FUZZ_CHECK(SameData(data, before), "a failed read changed " + FirstDifference(data, before));
        // The user is told, unless they cancelled (or the synchronisation
        // failed, which only gives the buttons back).
        if (synced && !state.CancelRequested) FUZZ_CHECK(!messages.empty(), "a failed read said nothing");
        return 0;
    }
    FUZZ_CHECK(!state.CommError && !state.CancelRequested, "a completed read left an error or a cancel behind");
    for (int a : {0, 1}) FUZZ_CHECK(data.image[a] == before.image[a], "a read took the model-code bytes from the radio");
    for (int a = 0x400; a < kImageBufferSize; ++a)
        FUZZ_CHECK(data.image[a] == before.image[a], "a read wrote past the radio's memory");
    for (int block = 0; block < 0x400; block += 16) {
        bool found = false;
        for (const Bytes& reply : DataReplies(s.radio.ReadByPc(), block, 16)) {
            bool same = true;
            for (int i = (block == 0 ? 2 : 0); i < 16; ++i) same = same && reply[static_cast<size_t>(i)] == data.image[block + i];
            found = found || same;
        }
        FUZZ_CHECK(found, "block " + std::to_string(block) + " of the image came from no sound reply");
    }
    CheckModel(data, "after a read");
    CheckEncode(data, "encoding what was read");
    return 0;
}
