#include "session/SessionSnapshot.h"

#include <array>
#include <charconv>
#include <cstdint>
#include <cstring>
#include <limits>
#include <utility>
#include <vector>

namespace rp770 {

namespace {

constexpr std::string_view kMagic = "RP770 session";
constexpr size_t kMaxWxChannels = 64;
constexpr size_t kMaxTextBytes = 4096;  // any one text: a file name, a tag
constexpr char kDigits[] = "0123456789abcdef";

// ---- writing ----------------------------------------------------------------------

// Texts as "x" and their bytes in hex: an empty text is "x".
std::string Hex(std::string_view bytes) {
    std::string out = "x";
    for (const char c : bytes) {
        const auto u = static_cast<unsigned char>(c);
        out += kDigits[u >> 4];
        out += kDigits[u & 15];
    }
    return out;
}

std::string Bits(double value) {
    uint64_t bits = 0;
    static_assert(sizeof bits == sizeof value);
    std::memcpy(&bits, &value, sizeof bits);
    std::string out(16, '0');
    for (int i = 15, shift = 0; i >= 0; --i, shift += 4) out[static_cast<size_t>(i)] = kDigits[(bits >> shift) & 15];
    return out;
}

char Flag(bool on) { return on ? '1' : '0'; }

std::string Record(const ChannelRecord& r) {
    std::string out = std::to_string(r.Position) + " ";
    for (const bool b : {r.Enable, r.LowPower, r.PowUp, r.Duplex, r.DuplexAllowed, r.TxEnable, r.DispayA, r.ScanMemory,
                         r.RxOnly})
        out += Flag(b);
    out += " " + Bits(r.Txfreq) + " " + Bits(r.Rxfreq) + " " + Hex(r.ChTag) + " " + Hex(r.CHDisplayL) + " " +
           Hex(r.CHDisplayR);
    return out;
}

void WriteData(std::string& out, std::string_view which, const DataSet& d) {
    auto line = [&out](const std::string& text) {
        out += text;
        out += '\n';
    };
    line("data " + std::string(which));
    line("lastaddress " + std::to_string(d.image.lastAddress));
    line("image " + Hex(std::string_view(reinterpret_cast<const char*>(d.image.bytes.data()), d.image.bytes.size())).substr(1));
    line(std::string("flags ") + Flag(d.flags.atis) + " " + Flag(d.flags.wx) + " " + Flag(d.flags.wa));
    const CommonSetup& c = d.common;
    line("common " + std::to_string(c.TxPoDisplay) + " " + Flag(c.Scan) + " " + Flag(c.TimeDisplay) + " " +
         std::to_string(c.ResumeTime) + " " + Flag(c.PttScanClear) + " " + Flag(c.DualWatch) + " " +
         std::to_string(c.OffsetTime) + " " + std::to_string(c.WeatherAlert));
    std::string atis = "atis ";
    for (const bool g : d.atis.AtisGroups) atis += Flag(g);
    line(atis + " " + Hex(d.atis.AtisCode));
    for (size_t g = 0; g < d.groups.size(); ++g)
        line("group " + std::to_string(g) + " " + Flag(d.groups[g].Usable) + " " +
             std::to_string(d.groups[g].PriorityChannel) + " " + Hex(d.groups[g].Name));
    for (size_t p = 0; p < d.plans.size(); ++p)
        for (size_t n = 0; n < d.plans[p].size(); ++n)
            line("plan " + std::to_string(p) + " " + std::to_string(n) + " " + Record(d.plans[p][n]));
    line("wxcount " + std::to_string(d.wx.size()));
    for (size_t n = 0; n < d.wx.size(); ++n) line("wx " + std::to_string(n) + " " + Record(d.wx[n]));
    for (size_t n = 0; n < d.exp.size(); ++n) line("exp " + std::to_string(n) + " " + Record(d.exp[n]));
}

// ---- reading ----------------------------------------------------------------------

std::vector<std::string_view> Words(std::string_view line) {
    std::vector<std::string_view> words;
    size_t at = 0;
    while (at < line.size()) {
        const size_t end = line.find(' ', at);
        words.push_back(line.substr(at, end == std::string_view::npos ? std::string_view::npos : end - at));
        if (end == std::string_view::npos) break;
        at = end + 1;
    }
    return words;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

bool FromHex(std::string_view hex, std::string& out, size_t limit) {
    if (hex.size() % 2 != 0 || hex.size() / 2 > limit) return false;
    out.clear();
    for (size_t i = 0; i < hex.size(); i += 2) {
        const int hi = HexDigit(hex[i]);
        const int lo = HexDigit(hex[i + 1]);
        if (hi < 0 || lo < 0) return false;
        out += static_cast<char>(hi * 16 + lo);
    }
    return true;
}

bool Text(std::string_view word, std::string& out) {
    return !word.empty() && word[0] == 'x' && FromHex(word.substr(1), out, kMaxTextBytes);
}

template <typename T>
bool Number(std::string_view word, T& out, long long low, long long high) {
    long long value = 0;
    const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
    if (error != std::errc() || end != word.data() + word.size() || value < low || value > high) return false;
    out = static_cast<T>(value);
    return true;
}

bool Index(std::string_view word, size_t& out, size_t count) {
    return Number(word, out, 0, static_cast<long long>(count) - 1);
}

bool FlagOf(std::string_view word, bool& out) {
    if (word != "0" && word != "1") return false;
    out = word == "1";
    return true;
}

bool Flags(std::string_view word, std::initializer_list<bool*> out) {
    if (word.size() != out.size()) return false;
    size_t i = 0;
    for (bool* b : out)
        if (!FlagOf(word.substr(i++, 1), *b)) return false;
    return true;
}

bool BitsOf(std::string_view word, double& out) {
    if (word.size() != 16) return false;
    uint64_t bits = 0;
    for (const char c : word) {
        const int d = HexDigit(c);
        if (d < 0) return false;
        bits = bits << 4 | static_cast<uint64_t>(d);
    }
    std::memcpy(&out, &bits, sizeof out);
    return true;
}

constexpr long long kInt16Min = std::numeric_limits<int16_t>::min();
constexpr long long kInt16Max = std::numeric_limits<int16_t>::max();
constexpr long long kInt32Min = std::numeric_limits<int32_t>::min();
constexpr long long kInt32Max = std::numeric_limits<int32_t>::max();

// The record's words from the first after its index on.
bool RecordOf(const std::vector<std::string_view>& w, size_t first, ChannelRecord& r) {
    if (w.size() != first + 7) return false;
    return Number(w[first], r.Position, kInt16Min, kInt16Max) &&
           Flags(w[first + 1], {&r.Enable, &r.LowPower, &r.PowUp, &r.Duplex, &r.DuplexAllowed, &r.TxEnable,
                                &r.DispayA, &r.ScanMemory, &r.RxOnly}) &&
           BitsOf(w[first + 2], r.Txfreq) && BitsOf(w[first + 3], r.Rxfreq) && Text(w[first + 4], r.ChTag) &&
           Text(w[first + 5], r.CHDisplayL) && Text(w[first + 6], r.CHDisplayR);
}

// What one data block has been given so far: each part exactly once.
struct Parts {
    bool lastAddress = false, image = false, flags = false, common = false, atis = false, wxCount = false;
    std::array<bool, kGroupCount> groups{};
    std::array<std::array<bool, kPlanSlots>, kPlanCount> plans{};
    std::vector<bool> wx;
    std::array<bool, kExpChannels + 1> exp{};

    static bool All(const auto& seen) {
        for (const bool s : seen)
            if (!s) return false;
        return true;
    }
    bool Complete() const {
        bool plansDone = true;
        for (const auto& p : plans) plansDone = plansDone && All(p);
        return lastAddress && image && flags && common && atis && wxCount && All(groups) && plansDone && All(wx) &&
               All(exp);
    }
};

// Marks a part given; false when it was given before.
bool Once(bool& seen) { return !std::exchange(seen, true); }
bool Once(std::vector<bool>::reference seen) {
    const bool before = seen;
    seen = true;
    return !before;
}

bool ReadDataLine(const std::vector<std::string_view>& w, DataSet& d, Parts& parts) {
    const std::string_view key = w[0];
    if (key == "lastaddress")
        return w.size() == 2 && Once(parts.lastAddress) && Number(w[1], d.image.lastAddress, 0, kImageBufferSize - 1);
    if (key == "image") {
        std::string bytes;
        if (w.size() != 2 || !Once(parts.image) || !FromHex(w[1], bytes, kImageBufferSize) ||
            bytes.size() != static_cast<size_t>(kImageBufferSize))
            return false;
        for (size_t i = 0; i < bytes.size(); ++i) d.image.bytes[i] = static_cast<uint8_t>(bytes[i]);
        return true;
    }
    if (key == "flags")
        return w.size() == 4 && Once(parts.flags) && FlagOf(w[1], d.flags.atis) && FlagOf(w[2], d.flags.wx) &&
               FlagOf(w[3], d.flags.wa);
    if (key == "common") {
        CommonSetup& c = d.common;
        return w.size() == 9 && Once(parts.common) && Number(w[1], c.TxPoDisplay, kInt16Min, kInt16Max) &&
               FlagOf(w[2], c.Scan) && FlagOf(w[3], c.TimeDisplay) && Number(w[4], c.ResumeTime, kInt16Min, kInt16Max) &&
               FlagOf(w[5], c.PttScanClear) && FlagOf(w[6], c.DualWatch) &&
               Number(w[7], c.OffsetTime, kInt16Min, kInt16Max) && Number(w[8], c.WeatherAlert, kInt16Min, kInt16Max);
    }
    if (key == "atis") {
        auto& g = d.atis.AtisGroups;
        return w.size() == 3 && Once(parts.atis) && Flags(w[1], {&g[0], &g[1], &g[2], &g[3]}) &&
               Text(w[2], d.atis.AtisCode);
    }
    size_t i = 0;
    size_t n = 0;
    if (key == "group") {
        if (w.size() != 5 || !Index(w[1], i, kGroupCount) || !Once(parts.groups[i])) return false;
        ChannelGroup& g = d.groups[i];
        return FlagOf(w[2], g.Usable) && Number(w[3], g.PriorityChannel, kInt32Min, kInt32Max) && Text(w[4], g.Name);
    }
    if (key == "plan")
        return w.size() > 3 && Index(w[1], i, kPlanCount) && Index(w[2], n, kPlanSlots) && Once(parts.plans[i][n]) &&
               RecordOf(w, 3, d.plans[i][n]);
    if (key == "wxcount") {
        if (w.size() != 2 || !Once(parts.wxCount) || !Number(w[1], n, 0, kMaxWxChannels)) return false;
        d.wx.assign(n, ChannelRecord{});
        parts.wx.assign(n, false);
        return true;
    }
    if (key == "wx")
        return w.size() > 2 && Index(w[1], n, d.wx.size()) && Once(parts.wx[n]) && RecordOf(w, 2, d.wx[n]);
    if (key == "exp")
        return w.size() > 2 && Index(w[1], n, d.exp.size()) && Once(parts.exp[n]) && RecordOf(w, 2, d.exp[n]);
    return false;
}

}  // namespace

std::string EncodeSnapshot(const SessionSnapshot& s) {
    std::string out = std::string(kMagic) + " " + std::to_string(kSnapshotVersion) + "\n";
    out += "kept " + Hex(s.keptAt) + "\n";
    out += "model " + std::to_string(s.model) + "\n";
    out += "destination " + Hex(s.destination) + "\n";
    out += "file " + Hex(s.filePath) + "\n";
    out += std::string("kind ") + (s.imageFile ? "image" : "settings") + "\n";
    out += "action " + Hex(s.action) + "\n";
    WriteData(out, "edited", s.edited);
    if (s.base) WriteData(out, "base", *s.base);
    out += "end\n";
    return out;
}

std::optional<SessionSnapshot> DecodeSnapshot(std::string_view text) {
    if (text.size() > kSnapshotLimit) return std::nullopt;
    SessionSnapshot s;
    DataSet base;
    Parts editedParts;
    Parts baseParts;
    bool seenBase = false;
    DataSet* data = nullptr;
    Parts* parts = nullptr;
    bool header[6] = {};  // kept, model, destination, file, kind, action
    bool ended = false;
    size_t at = 0;
    bool first = true;
    while (at < text.size()) {
        const size_t end = text.find('\n', at);
        if (end == std::string_view::npos) return std::nullopt;  // cut short
        const std::string_view line = text.substr(at, end - at);
        at = end + 1;
        if (ended) return std::nullopt;  // nothing after the end
        if (first) {
            first = false;
            if (line != std::string(kMagic) + " " + std::to_string(kSnapshotVersion)) return std::nullopt;
            continue;
        }
        const std::vector<std::string_view> w = Words(line);
        if (w.empty() || w[0].empty()) return std::nullopt;
        const std::string_view key = w[0];
        bool ok = false;
        if (key == "end") {
            ok = w.size() == 1;
            ended = true;
        } else if (key == "kept") {
            ok = w.size() == 2 && Once(header[0]) && Text(w[1], s.keptAt);
        } else if (key == "model") {
            ok = w.size() == 2 && Once(header[1]) && Number(w[1], s.model, 1, 99);
        } else if (key == "destination") {
            ok = w.size() == 2 && Once(header[2]) && Text(w[1], s.destination);
        } else if (key == "file") {
            ok = w.size() == 2 && Once(header[3]) && Text(w[1], s.filePath);
        } else if (key == "kind") {
            ok = w.size() == 2 && Once(header[4]) && (w[1] == "image" || w[1] == "settings");
            s.imageFile = ok && w[1] == "image";
        } else if (key == "action") {
            ok = w.size() == 2 && Once(header[5]) && Text(w[1], s.action);
        } else if (key == "data" && w.size() == 2 && w[1] == "edited" && !data) {
            data = &s.edited;
            parts = &editedParts;
            ok = true;
        } else if (key == "data" && w.size() == 2 && w[1] == "base" && data == &s.edited && !seenBase) {
            if (!editedParts.Complete()) return std::nullopt;
            seenBase = true;
            data = &base;
            parts = &baseParts;
            ok = true;
        } else if (data) {
            ok = ReadDataLine(w, *data, *parts);
        }
        if (!ok) return std::nullopt;
    }
    for (const bool h : header)
        if (!h) return std::nullopt;
    if (!ended || !editedParts.Complete() || (seenBase && !baseParts.Complete())) return std::nullopt;
    s.edited.modelNumber = s.model;
    if (seenBase) {
        base.modelNumber = s.model;
        s.base = std::move(base);
    }
    return s;
}

std::string ShownKeptTime(const std::string& keptAt) {
    if (keptAt.size() != 20 || keptAt[10] != 'T' || keptAt[19] != 'Z') return keptAt;
    return keptAt.substr(0, 10) + " " + keptAt.substr(11, 8);
}

std::string SnapshotFileName(const SessionSnapshot& snapshot) {
    const size_t slash = snapshot.filePath.find_last_of("/\\");
    return slash == std::string::npos ? snapshot.filePath : snapshot.filePath.substr(slash + 1);
}

}  // namespace rp770
