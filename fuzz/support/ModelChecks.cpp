#include "support/ModelChecks.h"

#include <bit>
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

// `name` and `number` say which record, for the message only: it is made
// when a check fails, not for every record checked.
void CheckRecordFlags(const ChannelRecord& r, const char* where, const char* name, int number) {
    for (const bool* flag : {&r.Enable, &r.LowPower, &r.PowUp, &r.Duplex, &r.DuplexAllowed, &r.TxEnable, &r.DispayA,
                             &r.ScanMemory, &r.RxOnly})
        FUZZ_CHECK(IsBoolean(*flag), At(where, name + std::to_string(number) + " has a flag that is no boolean"));
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
        const char* const name = p == 0 ? "USA slot " : p == 1 ? "INT slot " : "CAN slot ";
        for (int slot = 0; slot < kPlanSlots; ++slot) {
            const ChannelRecord& r = data.plan(p)[static_cast<size_t>(slot)];
            CheckRecordFlags(r, where, name, slot);
            FUZZ_CHECK(r.Position >= 0 && r.Position < kPlanSlots, At(where, name + std::to_string(slot) + " names no slot"));
        }
    }
    FUZZ_CHECK(data.wx.size() == static_cast<size_t>(kWxChannels), At(where, "the WX table changed its size"));
    for (size_t k = 0; k < data.wx.size(); ++k) CheckRecordFlags(data.wx[k], where, "WX ", static_cast<int>(k));
    for (int n = 1; n <= kExpChannels; ++n) {
        const ChannelRecord& r = data.exp[static_cast<size_t>(n)];
        CheckRecordFlags(r, where, "EXP ", n);
        FUZZ_CHECK(std::isfinite(r.Rxfreq) && std::isfinite(r.Txfreq),
                   At(where, "EXP " + std::to_string(n) + " has a frequency that is no number"));
        FUZZ_CHECK(r.Position == n, At(where, "EXP " + std::to_string(n) + " lost its number"));
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

namespace {

struct Hasher {
    uint64_t h = 1469598103934665603ULL;
    void Add(uint64_t value) {
        h = (h ^ value) * 1099511628211ULL;
        h ^= h >> 29;
    }
    void Add(const std::string& text) {
        uint64_t word = 0;
        std::memcpy(&word, text.data(), std::min<size_t>(text.size(), sizeof word));
        Add(text.size());
        Add(word);  // a hash need not see everything: equality decides
    }
    void Add(const ChannelRecord& r) {
        Add(static_cast<uint64_t>(static_cast<uint16_t>(r.Position)) |
            uint64_t{r.Enable} << 16 | uint64_t{r.LowPower} << 17 | uint64_t{r.PowUp} << 18 | uint64_t{r.Duplex} << 19 |
            uint64_t{r.DuplexAllowed} << 20 | uint64_t{r.TxEnable} << 21 | uint64_t{r.DispayA} << 22 |
            uint64_t{r.ScanMemory} << 23 | uint64_t{r.RxOnly} << 24);
        Add(r.ChTag);
        Add(r.CHDisplayL);
        Add(r.CHDisplayR);
        Add(std::bit_cast<uint64_t>(r.Rxfreq));  // the bits: -0 and 0 hash apart
        Add(std::bit_cast<uint64_t>(r.Txfreq));
    }
};

// Calls fn(number, record, factory record or nullptr) for every channel
// record of `data`, numbered over USA, INT, CAN, WX and EXP in that order.
template <typename Data, typename Fn>
void ForEachRecord(Data& data, const DataSet& factory, Fn fn) {
    uint32_t n = 0;
    auto each = [&](auto& records, const auto& factoryRecords) {
        for (size_t i = 0; i < records.size(); ++i, ++n) fn(n, records[i], i < factoryRecords.size() ? &factoryRecords[i] : nullptr);
    };
    for (int p = 0; p < kPlanCount; ++p) each(data.plans[static_cast<size_t>(p)], factory.plan(p));
    each(data.wx, factory.wx);
    each(data.exp, factory.exp);
}

bool SameText(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::memcmp(a.data(), b.data(), a.size()) == 0;
}

// Every member of two records, compared here rather than by ChannelRecord's
// operator==, which the fuzz build instruments for coverage (at many times
// the cost), and doubles by their bits. The members are bound by position:
// a member added to ChannelRecord stops this from compiling until it is
// compared too.
bool SameRecord(const ChannelRecord& a, const ChannelRecord& b) {
    const auto& [aPos, aEnable, aLow, aUp, aDuplex, aDuplexOk, aTx, aDispA, aScan, aTag, aRxOnly, aDispL, aDispR, aTxf, aRxf] = a;
    const auto& [bPos, bEnable, bLow, bUp, bDuplex, bDuplexOk, bTx, bDispA, bScan, bTag, bRxOnly, bDispL, bDispR, bTxf, bRxf] = b;
    return aPos == bPos && aEnable == bEnable && aLow == bLow && aUp == bUp && aDuplex == bDuplex && aDuplexOk == bDuplexOk &&
           aTx == bTx && aDispA == bDispA && aScan == bScan && aRxOnly == bRxOnly &&
           std::bit_cast<uint64_t>(aTxf) == std::bit_cast<uint64_t>(bTxf) &&
           std::bit_cast<uint64_t>(aRxf) == std::bit_cast<uint64_t>(bRxf) && SameText(aTag, bTag) && SameText(aDispL, bDispL) &&
           SameText(aDispR, bDispR);
}

}  // namespace

uint64_t DataSetMemo::Hash(const Key& key) {
    Hasher h;
    h.Add(static_cast<uint64_t>(key.modelNumber) << 3 | uint64_t{key.flags.atis} | uint64_t{key.flags.wx} << 1 |
          uint64_t{key.flags.wa} << 2);
    h.Add(key.wxCount);
    for (const ChannelGroup& g : key.groups) h.Add(static_cast<uint64_t>(static_cast<uint32_t>(g.PriorityChannel)) << 1 | g.Usable);
    const CommonSetup& c = key.common;
    h.Add(static_cast<uint64_t>(static_cast<uint16_t>(c.TxPoDisplay)) | static_cast<uint64_t>(static_cast<uint16_t>(c.ResumeTime)) << 16 |
          static_cast<uint64_t>(static_cast<uint16_t>(c.OffsetTime)) << 32 |
          static_cast<uint64_t>(static_cast<uint16_t>(c.WeatherAlert)) << 48);
    h.Add(uint64_t{c.Scan} | uint64_t{c.TimeDisplay} << 1 | uint64_t{c.PttScanClear} << 2 | uint64_t{c.DualWatch} << 3);
    for (bool g : key.atis.AtisGroups) h.Add(g);
    h.Add(key.atis.AtisCode);
    for (const auto& [index, record] : key.records) {
        h.Add(index);
        h.Add(record);
    }
    return h.h;
}

bool DataSetMemo::Seen(const DataSet& data) {
    const DataSet& factory = FactoryData();
    // Every member, bound by position: one added to DataSet stops this from
    // compiling until the key holds it too.
    const auto& [modelNumber, flags, image, plans, wx, exp, groups, common, atis] = data;
    Key key;
    key.modelNumber = modelNumber;
    key.flags = flags;
    if (!(image == factory.image)) key.image.assign(image.bytes.begin(), image.bytes.end());
    key.groups = groups;
    key.common = common;
    key.atis = atis;
    key.wxCount = wx.size();
    // plans, wx and exp: the records unlike the factory's.
    changed_.clear();
    ForEachRecord(data, factory, [&](uint32_t n, const ChannelRecord& r, const ChannelRecord* f) {
        if (!f || !SameRecord(r, *f)) {
            key.records.emplace_back(n, r);
            changed_.push_back(n);
        }
    });
    const uint64_t hash = Hash(key);
    std::optional<std::pair<uint64_t, Key>>& slot = slots_[hash % slots_.size()];
    if (slot && slot->first == hash && slot->second == key) return true;
    slot.emplace(hash, std::move(key));
    return false;
}

void DataSetMemo::PutBackFactoryData(DataSet& data) const {
    const DataSet& factory = FactoryData();
    if (!(data.image == factory.image)) data.image = factory.image;
    data.groups = factory.groups;
    data.common = factory.common;
    data.atis = factory.atis;
    size_t next = 0;
    ForEachRecord(data, factory, [&](uint32_t n, ChannelRecord& r, const ChannelRecord* f) {
        if (next < changed_.size() && changed_[next] == n) {
            ++next;
            if (f) r = *f;
        }
    });
}

}  // namespace rp770::fuzz
