#include "session/RadioKeeper.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>

#include "files/ReadLimits.h"

namespace rp770 {

namespace {

constexpr std::string_view kImageSuffix = ".hex";
constexpr std::string_view kPartialPrefix = "partly-programmed-";
constexpr std::string_view kPartialSuffix = ".txt";
constexpr size_t kPartialHeaderLimit = 4096;

struct CivilTime {
    int64_t year;
    unsigned month, day, hour, minute, second;
};

// The calendar date of a day count since 1970-01-01 (proleptic Gregorian).
CivilTime Civil(int64_t seconds) {
    int64_t days = seconds / 86400;
    int64_t rest = seconds % 86400;
    if (rest < 0) {
        rest += 86400;
        --days;
    }
    days += 719468;
    const int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    const auto doe = static_cast<unsigned>(days - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    const unsigned day = doy - (153 * mp + 2) / 5 + 1;
    const unsigned month = mp < 10 ? mp + 3 : mp - 9;
    const int64_t year = static_cast<int64_t>(yoe) + era * 400 + (month <= 2 ? 1 : 0);
    return {year, month, day, static_cast<unsigned>(rest / 3600), static_cast<unsigned>(rest / 60 % 60),
            static_cast<unsigned>(rest % 60)};
}

std::string Format(int64_t seconds, bool compact) {
    const CivilTime t = Civil(seconds);
    char text[40];
    std::snprintf(text, sizeof text, compact ? "%04lld%02u%02uT%02u%02u%02uZ" : "%04lld-%02u-%02uT%02u:%02u:%02uZ",
                  static_cast<long long>(t.year), t.month, t.day, t.hour, t.minute, t.second);
    return text;
}

bool IsDigits(std::string_view text) {
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// Letters and digits only: a model's name in a file name.
std::string NamePart(const std::string& text, const char* empty) {
    std::string part;
    for (const char c : text)
        if ((c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z')) part += c;
    return part.empty() ? empty : part;
}

std::string HexOf(std::string_view text) {
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string hex;
    for (const char c : text) {
        const auto u = static_cast<unsigned char>(c);
        hex += kDigits[u >> 4];
        hex += kDigits[u & 15];
    }
    return hex;
}

std::string PartialName(const std::string& port) {
    return std::string(kPartialPrefix) + HexOf(port) + std::string(kPartialSuffix);
}

bool EndsWith(std::string_view text, std::string_view end) {
    return text.size() >= end.size() && text.substr(text.size() - end.size()) == end;
}

// Newest first: by the time, then by the counter.
bool Newer(const KeptImage& a, unsigned long counterA, const KeptImage& b, unsigned long counterB) {
    if (a.time != b.time) return a.time > b.time;
    return counterA > counterB;
}

unsigned long CounterOf(const std::string& name) {
    const size_t end = name.size() - kImageSuffix.size();
    const size_t dash = name.rfind('-', end - 1);
    return std::stoul(name.substr(dash + 1, end - dash - 1));
}

struct Ranked {
    KeptImage image;
    unsigned long counter;
};

std::vector<Ranked> KeptImages(KeeperStorage& storage) {
    std::vector<Ranked> images;
    for (const StoredEntry& entry : storage.Entries()) {
        std::optional<KeptImage> image = ParseKeptName(entry.name);
        if (!image) continue;
        image->where = storage.Where(entry.name);
        image->size = entry.size;
        images.push_back({std::move(*image), CounterOf(entry.name)});
    }
    std::sort(images.begin(), images.end(),
              [](const Ranked& a, const Ranked& b) { return Newer(a.image, a.counter, b.image, b.counter); });
    return images;
}

}  // namespace

std::string_view KeepReasonName(KeepReason reason) {
    return reason == KeepReason::BeforeProgramming ? "before-programming" : "read";
}

int64_t SystemUtcSeconds() {
    return std::chrono::duration_cast<std::chrono::seconds>(std::chrono::system_clock::now().time_since_epoch()).count();
}

std::string UtcIsoTime(int64_t seconds) { return Format(seconds, false); }
std::string UtcCompactTime(int64_t seconds) { return Format(seconds, true); }

std::optional<KeptImage> ParseKeptName(const std::string& name) {
    // TIME-MODEL-ATIS-REASON-COUNTER.hex, the reason possibly with a dash.
    if (!EndsWith(name, kImageSuffix)) return std::nullopt;
    const std::string stem = name.substr(0, name.size() - kImageSuffix.size());
    std::vector<std::string> parts;
    size_t start = 0;
    for (size_t dash; (dash = stem.find('-', start)) != std::string::npos; start = dash + 1)
        parts.push_back(stem.substr(start, dash - start));
    parts.push_back(stem.substr(start));
    if (parts.size() < 5) return std::nullopt;
    const std::string& time = parts[0];
    if (time.size() != 16 || time[8] != 'T' || time[15] != 'Z' || !IsDigits(time.substr(0, 8)) ||
        !IsDigits(time.substr(9, 6)))
        return std::nullopt;
    if (!IsDigits(parts.back()) || parts.back().size() > 9) return std::nullopt;
    std::string reasonText;
    for (size_t i = 3; i + 1 < parts.size(); ++i) reasonText += (i > 3 ? "-" : "") + parts[i];
    KeptImage image;
    if (reasonText == KeepReasonName(KeepReason::Read))
        image.reason = KeepReason::Read;
    else if (reasonText == KeepReasonName(KeepReason::BeforeProgramming))
        image.reason = KeepReason::BeforeProgramming;
    else
        return std::nullopt;
    image.id = name;
    image.time = time.substr(0, 4) + "-" + time.substr(4, 2) + "-" + time.substr(6, 2) + "T" + time.substr(9, 2) + ":" +
                 time.substr(11, 2) + ":" + time.substr(13, 2) + "Z";
    image.model = parts[1];
    image.atis = parts[2];
    return image;
}

Failure MemoryKeeperStorage::Write(const std::string& name, std::string_view bytes) {
    files_[name] = std::string(bytes);
    return {};
}

Failure MemoryKeeperStorage::Read(const std::string& name, std::string& bytes, size_t limit) {
    bytes.clear();
    const auto it = files_.find(name);
    if (it == files_.end()) return FailureFromErrno(ENOENT, FailureKind::FileNotFound);
    if (it->second.size() > limit) return TooLargeFailure(it->second.size(), limit);
    bytes = it->second;
    return {};
}

Failure MemoryKeeperStorage::Remove(const std::string& name) {
    files_.erase(name);
    return {};
}

std::vector<StoredEntry> MemoryKeeperStorage::Entries() {
    std::vector<StoredEntry> entries;
    for (const auto& [name, bytes] : files_) entries.push_back({name, bytes.size()});
    return entries;
}

StoredRadioKeeper::StoredRadioKeeper(KeeperStorage& storage, std::function<int64_t()> now, KeeperBounds bounds)
    : storage_(storage), now_(std::move(now)), bounds_(bounds) {}

Failure StoredRadioKeeper::Keep(std::string_view image, const std::string& model, const std::string& atis,
                                KeepReason reason, std::string* id) {
    const std::lock_guard lock(mutex_);
    const std::string second = UtcCompactTime(now_());
    const std::string stem = second + "-" + NamePart(model, "unknown") + "-" + NamePart(atis, "none") +
                             "-" + std::string(KeepReasonName(reason)) + "-";
    // The counter goes past every image of the same second.
    unsigned long counter = 1;
    for (const StoredEntry& entry : storage_.Entries())
        if (entry.name.starts_with(second) && ParseKeptName(entry.name))
            counter = std::max(counter, CounterOf(entry.name) + 1);
    const std::string name = stem + std::to_string(counter) + std::string(kImageSuffix);
    if (Failure failure = storage_.Write(name, image); failure.Failed()) return failure;
    if (id) *id = name;
    Prune();
    return {};
}

void StoredRadioKeeper::Prune() {
    const std::vector<Ranked> images = KeptImages(storage_);
    uint64_t total = 0;
    for (size_t i = 0; i < images.size(); ++i) {
        total += images[i].image.size;
        if (i > 0 && (i >= bounds_.images || total > bounds_.bytes)) (void)storage_.Remove(images[i].image.id);
    }
}

std::vector<KeptImage> StoredRadioKeeper::List() {
    const std::lock_guard lock(mutex_);
    std::vector<KeptImage> list;
    for (Ranked& ranked : KeptImages(storage_)) list.push_back(std::move(ranked.image));
    return list;
}

Failure StoredRadioKeeper::Read(const std::string& id, std::string& image) {
    const std::lock_guard lock(mutex_);
    if (!ParseKeptName(id)) return Failure{FailureKind::FileNotFound, Words(MessageId::NoSuchKeptImage)};
    return storage_.Read(id, image, kKeptImageLimit);
}

Failure StoredRadioKeeper::RememberPartial(const PartialProgramming& partial) {
    const std::lock_guard lock(mutex_);
    const std::string text = "port=" + partial.port + "\nfile=" + partial.file + "\ntime=" + partial.time + "\n\n" +
                             partial.plan;
    return storage_.Write(PartialName(partial.port), text);
}

std::vector<PartialProgramming> StoredRadioKeeper::Partials() {
    const std::lock_guard lock(mutex_);
    std::vector<PartialProgramming> partials;
    for (const StoredEntry& entry : storage_.Entries()) {
        if (!entry.name.starts_with(kPartialPrefix) || !EndsWith(entry.name, kPartialSuffix)) continue;
        std::string text;
        if (storage_.Read(entry.name, text, kSettingsTextLimit + kPartialHeaderLimit).Failed()) continue;
        const size_t body = text.find("\n\n");
        if (body == std::string::npos) continue;
        PartialProgramming partial;
        size_t start = 0;
        while (start < body) {
            size_t end = text.find('\n', start);
            if (end == std::string::npos || end > body) end = body;
            const std::string line = text.substr(start, end - start);
            if (line.starts_with("port=")) partial.port = line.substr(5);
            if (line.starts_with("file=")) partial.file = line.substr(5);
            if (line.starts_with("time=")) partial.time = line.substr(5);
            start = end + 1;
        }
        partial.plan = text.substr(body + 2);
        // A record is trusted only under its own port's name.
        if (partial.port.empty() || PartialName(partial.port) != entry.name) continue;
        partials.push_back(std::move(partial));
    }
    std::sort(partials.begin(), partials.end(),
              [](const PartialProgramming& a, const PartialProgramming& b) { return a.time > b.time; });
    return partials;
}

void StoredRadioKeeper::ForgetPartial(const std::string& port) {
    const std::lock_guard lock(mutex_);
    const std::string name = PartialName(port);
    for (const StoredEntry& entry : storage_.Entries())
        if (entry.name == name) (void)storage_.Remove(name);
}

}  // namespace rp770
