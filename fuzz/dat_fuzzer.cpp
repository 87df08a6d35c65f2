// The settings text file (.dat) from anyone: the model type check, the
// parser and the laying of the values over the factory data, then the data
// on their way out (encoded into the image, and written as a file again).
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "core/MemoryImage.h"
#include "files/DatReader.h"
#include "files/DatWriter.h"
#include "files/IniValue.h"
#include "files/SectionTable.h"
#include "support/FuzzCheck.h"
#include "support/ModelChecks.h"

using namespace rp770;
using namespace rp770::fuzz;

namespace {

// A file written from data that were read back gives the same data: what
// the program writes it reads again, whatever the file it came from.
// Excepted: negative numbers the file keeps as magnitudes, display texts
// beginning with "#" (the writer keeps them bare), and frequencies, which
// are written to 15 significant digits.
void CheckWrittenFileReadsBack(const DataSet& data) {
    DataSet again = FactoryData();
    again.flags = data.flags;
    const SectionTable table = SectionTable::Parse(FormatSettingsText(data));
    ApplySections(table, again);

    for (int g = 0; g < kGroupCount; ++g) {
        const ChannelGroup& a = data.groups[static_cast<size_t>(g)];
        const ChannelGroup& b = again.groups[static_cast<size_t>(g)];
        FUZZ_CHECK(a.Usable == b.Usable, "group flag " + std::to_string(g) + " did not read back");
        if (a.PriorityChannel >= 0)
            FUZZ_CHECK(a.PriorityChannel == b.PriorityChannel, "priority channel " + std::to_string(g) + " did not read back");
    }
    const CommonSetup& c = data.common;
    const CommonSetup& d = again.common;
    FUZZ_CHECK(c.Scan == d.Scan && c.PttScanClear == d.PttScanClear && c.DualWatch == d.DualWatch &&
                   c.TimeDisplay == d.TimeDisplay && c.ResumeTime == d.ResumeTime && c.OffsetTime == d.OffsetTime,
               "the common setup did not read back");
    if (c.TxPoDisplay >= 0) FUZZ_CHECK(c.TxPoDisplay == d.TxPoDisplay, "TX Po Display did not read back");
    if (c.WeatherAlert >= 0) FUZZ_CHECK(c.WeatherAlert == d.WeatherAlert, "the weather alert did not read back");
    if (data.flags.atis) FUZZ_CHECK(data.atis == again.atis, "the ATIS setup did not read back");
    for (int p = 0; p < kPlanCount; ++p)
        for (size_t s = 0; s < static_cast<size_t>(kPlanSlots); ++s)
            FUZZ_CHECK(data.plan(p)[s] == again.plan(p)[s],
                       "channel " + std::to_string(s) + " of plan " + std::to_string(p) + " did not read back");
    if (data.flags.wx)
        for (size_t k = 0; k < data.wx.size(); ++k) FUZZ_CHECK(data.wx[k] == again.wx[k], "WX channel did not read back");
    for (size_t n = 1; n <= static_cast<size_t>(kExpChannels); ++n) {
        ChannelRecord a = data.exp[n];
        ChannelRecord b = again.exp[n];
        const auto close = [](double x, double y) { return x == y || std::fabs(x - y) <= 1e-13 * std::fabs(x); };
        FUZZ_CHECK(close(a.Rxfreq, b.Rxfreq) && close(a.Txfreq, b.Txfreq), "EXP frequency did not read back");
        a.Rxfreq = b.Rxfreq;
        a.Txfreq = b.Txfreq;
        if (!a.CHDisplayL.empty() && a.CHDisplayL[0] == '#') a.CHDisplayL = b.CHDisplayL;
        if (!a.CHDisplayR.empty() && a.CHDisplayR[0] == '#') a.CHDisplayR = b.CHDisplayR;
        FUZZ_CHECK(a == b, "EXP channel " + std::to_string(n) + " did not read back");
    }
}

void ReadInto(const SectionTable& table, ModelFlags flags, bool writeBack) {
    // The factory data, kept from input to input: what a file changes is
    // put back at the end.
    static DataSet& data = *new DataSet(FactoryData());
    static DataSetMemo& met = *new DataSetMemo(1 << 14);
    data.flags = flags;
    ApplySections(table, data);
    FUZZ_CHECK(data.image == FactoryData().image, "reading a settings file touched the memory image");
    CheckModel(data, "after reading a settings file");
    // The file cannot make a channel duplex that does not allow it.
    for (int p = 0; p < kPlanCount; ++p)
        for (const ChannelRecord& r : data.plan(p))
            FUZZ_CHECK(!r.Duplex || r.DuplexAllowed, "a settings file made a simplex channel duplex");
    if (!met.Seen(data)) {
        if (writeBack) CheckWrittenFileReadsBack(data);
        CheckEncode(data, "encoding a settings file");
    }
    met.PutBackFactoryData(data);
    static unsigned reads = 0;  // now and then: the data did go back
    if (++reads % 4096 == 0) {
        data.flags = FactoryData().flags;
        FUZZ_CHECK(SameData(data, FactoryData()), "the data did not go back to the factory data: " + FirstDifference(data, FactoryData()));
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
    std::string text(reinterpret_cast<const char*>(bytes), size);
    const bool accepted = ModelTypeMatches(text, 1);
    const std::string modelType = ReadIniValueFromText(text, "MAIN", "MODELTYPE");
    FUZZ_CHECK(!accepted || !modelType.empty(), "a file without a model type was accepted");
    FUZZ_CHECK(!ModelTypeMatches(text, 2) || !accepted, "a file was taken for two models");

    const SectionTable table = SectionTable::Parse(std::move(text));
    ReadInto(table, ModelFlags{true, true, true}, true);
    ReadInto(table, ModelFlags{false, false, false}, false);
    return 0;
}
