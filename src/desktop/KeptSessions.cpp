#include "desktop/KeptSessions.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <random>
#include <system_error>

#include "desktop/AtomicFile.h"
#include "desktop/FileBytes.h"
#include "os/Processes.h"
#include "os/UserFolders.h"

namespace rp770 {

namespace fs = std::filesystem;

namespace {

constexpr const char* kPrefix = "session-";
constexpr const char* kSuffix = ".rp770";

// The process that keeps a copy is named in it: "session-<pid>-<random>.rp770".
std::optional<long> OwnerOf(const fs::path& file) {
    const std::string name = file.filename().string();
    const std::string prefix = kPrefix;
    const std::string suffix = kSuffix;
    if (name.size() <= prefix.size() + suffix.size() || name.compare(0, prefix.size(), prefix) != 0 ||
        name.compare(name.size() - suffix.size(), suffix.size(), suffix) != 0)
        return std::nullopt;
    long pid = 0;
    size_t at = prefix.size();
    for (; at < name.size() && name[at] >= '0' && name[at] <= '9' && pid < 1'000'000'000; ++at) pid = pid * 10 + (name[at] - '0');
    if (at == prefix.size() || name[at] != '-') return std::nullopt;
    return pid;
}

}  // namespace

KeptSessions::KeptSessions(fs::path folder) : folder_(std::move(folder)) {
    std::random_device random;
    char tag[16];
    std::snprintf(tag, sizeof tag, "%08x", static_cast<unsigned>(random()));
    own_ = folder_ / (kPrefix + std::to_string(platform::CurrentProcessId()) + "-" + tag + kSuffix);
}

fs::path KeptSessions::UserFolder() {
    const fs::path state = platform::UserStateFolder();
    return state.empty() ? state : state / "sessions";
}

std::vector<KeptCopy> KeptSessions::Waiting() const {
    std::vector<KeptCopy> copies;
    if (folder_.empty()) return copies;
    std::error_code ec;
    for (fs::directory_iterator it(folder_, ec), end; !ec && it != end; it.increment(ec)) {
        const fs::path file = it->path();
        const std::optional<long> owner = OwnerOf(file);
        if (!owner || file == own_ || platform::ProcessIsRunning(*owner)) continue;
        std::string text;
        if (ReadWholeFile(file, text, kSnapshotLimit).Failed()) continue;
        if (std::optional<SessionSnapshot> snapshot = DecodeSnapshot(text))
            copies.push_back({file, std::move(*snapshot)});
    }
    std::sort(copies.begin(), copies.end(), [](const KeptCopy& a, const KeptCopy& b) {
        return a.snapshot.keptAt != b.snapshot.keptAt ? a.snapshot.keptAt > b.snapshot.keptAt : a.path < b.path;
    });
    return copies;
}

Failure KeptSessions::Keep(const SessionSnapshot& snapshot) {
    if (folder_.empty()) return Failure{FailureKind::PathNotFound, {}, "no state folder"};
    std::error_code ec;
    // The copies hold the user's data: a folder made for them is the user's alone.
    if (fs::create_directories(folder_, ec)) fs::permissions(folder_, fs::perms::owner_all, ec);
    const Failure failure = WriteFileAtomically(own_, EncodeSnapshot(snapshot));
    if (failure.Ok()) kept_ = true;
    return failure;
}

void KeptSessions::Forget() {
    if (!kept_) return;
    Remove(own_);
    kept_ = false;
}

void KeptSessions::Remove(const fs::path& copy) {
    std::error_code ec;
    fs::remove(copy, ec);
}

std::string UtcTimeText(long long seconds) {
    // Days since 1970-01-01 to a civil date (proleptic Gregorian).
    long long days = seconds >= 0 ? seconds / 86400 : (seconds - 86399) / 86400;
    const long long secondOfDay = seconds - days * 86400;
    days += 719468;
    const long long era = (days >= 0 ? days : days - 146096) / 146097;
    const long long dayOfEra = days - era * 146097;
    const long long yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const long long dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const long long mp = (5 * dayOfYear + 2) / 153;
    const long long day = dayOfYear - (153 * mp + 2) / 5 + 1;
    const long long month = mp < 10 ? mp + 3 : mp - 9;
    const long long year = yearOfEra + era * 400 + (month <= 2 ? 1 : 0);
    char text[128];
    std::snprintf(text, sizeof text, "%04lld-%02lld-%02lldT%02lld:%02lld:%02lldZ", year, month, day, secondOfDay / 3600,
                  secondOfDay / 60 % 60, secondOfDay % 60);
    return text;
}

std::string UtcTimeNow() {
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    return UtcTimeText(std::chrono::duration_cast<std::chrono::seconds>(now).count());
}

}  // namespace rp770
