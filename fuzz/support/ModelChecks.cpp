#include "support/ModelChecks.h"

#include <cmath>
#include <cstring>

#include "core/MemoryImage.h"
#include "support/FuzzCheck.h"

namespace rp770::fuzz {

namespace {

// The byte behind a bool holds 0 or 1 (anything else is a bool that was
// never properly set).
bool IsBoolean(const bool& flag) {
    unsigned char byte = 0;
    std::memcpy(&byte, &flag, 1);
    return byte <= 1;
}

std::string At(const char* where, const std::string& what) { return std::string(where) + ": " + what; }

void CheckRecordFlags(const ChannelRecord& r, const char* where, const std::string& name) {
    for (const bool* flag : {&r.Enable, &r.LowPower, &r.PowUp, &r.Duplex, &r.DuplexAllowed, &r.TxEnable, &r.DispayA,
                             &r.ScanMemory, &r.RxOnly})
        FUZZ_CHECK(IsBoolean(*flag), At(where, name + " has a flag that is no boolean"));
}

bool SameRecords(const auto& a, const auto& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (!(a[i] == b[i])) return false;
    return true;
}

}  // namespace

const DataSet& FactoryData() {
    static const DataSet data = [] {
        DataSet d;
        d.modelNumber = 1;
        d.flags = ModelFlags{true, true, true};
        ResetDataSet(d);
        return d;
    }();
    return data;
}

bool SameData(const DataSet& a, const DataSet& b) { return FirstDifference(a, b).empty(); }

std::string FirstDifference(const DataSet& a, const DataSet& b) {
    if (a.modelNumber != b.modelNumber) return "model number";
    if (!(a.flags == b.flags)) return "model flags";
    if (!(a.image == b.image)) {
        for (size_t i = 0; i < a.image.bytes.size(); ++i)
            if (a.image.bytes[i] != b.image.bytes[i]) return "image byte " + std::to_string(i);
        return "image size";
    }
    for (int p = 0; p < kPlanCount; ++p)
        if (!SameRecords(a.plan(p), b.plan(p))) return "channels of plan " + std::to_string(p);
    if (!SameRecords(a.wx, b.wx)) return "WX channels";
    if (!SameRecords(a.exp, b.exp)) return "EXP channels";
    if (!SameRecords(a.groups, b.groups)) return "channel groups";
    if (!(a.common == b.common)) return "common setup";
    if (!(a.atis == b.atis)) return "ATIS";
    return {};
}

void CheckModel(const DataSet& data, const char* where) {
    FUZZ_CHECK(data.image.lastAddress == kLastAddress1K, At(where, "the image changed its size"));
    for (int p = 0; p < kPlanCount; ++p) {
        for (int slot = 0; slot < kPlanSlots; ++slot) {
            const ChannelRecord& r = data.plan(p)[static_cast<size_t>(slot)];
            const std::string name = "plan " + std::to_string(p) + " slot " + std::to_string(slot);
            CheckRecordFlags(r, where, name);
            FUZZ_CHECK(r.Position >= 0 && r.Position < kPlanSlots, At(where, name + " names no slot"));
        }
    }
    FUZZ_CHECK(data.wx.size() == static_cast<size_t>(kWxChannels), At(where, "the WX table changed its size"));
    for (size_t k = 0; k < data.wx.size(); ++k) CheckRecordFlags(data.wx[k], where, "WX " + std::to_string(k));
    for (int n = 1; n <= kExpChannels; ++n) {
        const ChannelRecord& r = data.exp[static_cast<size_t>(n)];
        const std::string name = "EXP " + std::to_string(n);
        CheckRecordFlags(r, where, name);
        FUZZ_CHECK(std::isfinite(r.Rxfreq) && std::isfinite(r.Txfreq), At(where, name + " has a frequency that is no number"));
        FUZZ_CHECK(r.Position == n, At(where, name + " lost its number"));
    }
    for (const ChannelGroup& g : data.groups) FUZZ_CHECK(IsBoolean(g.Usable), At(where, "a group flag is no boolean"));
    const CommonSetup& c = data.common;
    for (const bool* flag : {&c.Scan, &c.TimeDisplay, &c.PttScanClear, &c.DualWatch})
        FUZZ_CHECK(IsBoolean(*flag), At(where, "a common setup flag is no boolean"));
    for (const bool& flag : data.atis.AtisGroups) FUZZ_CHECK(IsBoolean(flag), At(where, "an ATIS flag is no boolean"));
}

void CheckEncode(DataSet data, const char* where) {
    const MemoryImage before = data.image;
    EncodeImage(data);
    FixStartChannel(data);
    const int last = before.lastAddress;
    FUZZ_CHECK(data.image.lastAddress == last, At(where, "encoding changed the image size"));
    for (int a : {0, 1, last - 1, last})
        FUZZ_CHECK(data.image[a] == before[a], At(where, "encoding changed model-code byte " + std::to_string(a)));
    for (int a = last + 1; a < kImageBufferSize; ++a)
        FUZZ_CHECK(data.image[a] == before[a], At(where, "encoding wrote past the used memory at " + std::to_string(a)));

    DecodeImage(data);
    CheckModel(data, where);
    EncodeImage(data);
    FixStartChannel(data);
    const MemoryImage once = data.image;
    DecodeImage(data);
    EncodeImage(data);
    FixStartChannel(data);
    for (int a = 0; a <= last; ++a)
        FUZZ_CHECK(data.image[a] == once[a], At(where, "data that went through the image changed on the next pass at byte " +
                                                          std::to_string(a)));
}

}  // namespace rp770::fuzz
