#pragma once
// What the program keeps of the radios it talks to, so that nothing a radio
// held is lost: every memory image read from a radio (a read, a comparison,
// the read before a programming; never the read-back that verifies a
// programming), and the radios left partly programmed, with the port and
// the plan that was being sent. Plain C++: the desktop keeps them in files
// under the user's state folder, the page in its own store.
//
// Kept images are named by the UTC time to the second, the model, the ATIS
// code, why they were kept and a counter, so that two never collide and the
// names sort by age:
//
//   20261209T061500Z-MR318-211234560-read-1.hex
//   20261209T061500Z-MR318-none-before-programming-2.hex
//
// The store is bounded: after each image kept, the oldest go until at most
// 500 images of at most 50 MB together remain (the newest always stays).

#include <cstdint>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/Failure.h"

namespace rp770 {

enum class KeepReason { Read, BeforeProgramming };

// "read", "before-programming": as names and listings say it (not translated).
std::string_view KeepReasonName(KeepReason reason);

struct KeptImage {
    std::string id;     // the name it is kept under (what Read takes)
    std::string where;  // where the user finds it (a path on the desktop)
    std::string time;   // UTC, ISO 8601: "2026-12-09T06:15:00Z"
    std::string model;  // "MR318"
    std::string atis;   // the ATIS code, "none" when the image holds none
    KeepReason reason = KeepReason::Read;
    uint64_t size = 0;
};

// A radio left partly programmed: programming stopped after writing began.
struct PartialProgramming {
    std::string port;  // as the session names it: "/dev/ttyUSB0", "COM3", "sim"
    std::string file;  // the file the plan came from; empty for none
    std::string time;  // UTC, ISO 8601
    std::string plan;  // the plan that was being sent, as settings text
    bool operator==(const PartialProgramming&) const = default;
};

// The interface every front end's keeper offers the session.
class RadioKeeper {
public:
    virtual ~RadioKeeper() = default;
    // Keeps a memory image file's bytes; `id`, when given, receives its name.
    virtual Failure Keep(std::string_view image, const std::string& model, const std::string& atis, KeepReason reason,
                         std::string* id = nullptr) = 0;
    // Every kept image, the newest first.
    virtual std::vector<KeptImage> List() = 0;
    // A kept image's bytes, by its id.
    virtual Failure Read(const std::string& id, std::string& image) = 0;

    // One record per port: a new one replaces the port's earlier one.
    virtual Failure RememberPartial(const PartialProgramming& partial) = 0;
    virtual std::vector<PartialProgramming> Partials() = 0;
    virtual void ForgetPartial(const std::string& port) = 0;
};

// ---- a keeper over a flat store of named files ----------------------------------

struct StoredEntry {
    std::string name;
    uint64_t size = 0;
};

// A folder, or the page's object store: names are plain file names.
class KeeperStorage {
public:
    virtual ~KeeperStorage() = default;
    // Replaces a file of that name whole, or creates it.
    virtual Failure Write(const std::string& name, std::string_view bytes) = 0;
    virtual Failure Read(const std::string& name, std::string& bytes, size_t limit) = 0;
    virtual Failure Remove(const std::string& name) = 0;
    // Every file held, in no particular order.
    virtual std::vector<StoredEntry> Entries() = 0;
    // Where the user finds a file of that name.
    virtual std::string Where(const std::string& name) const { return name; }
};

// A store held in memory: the page's copy of its object store, and tests.
class MemoryKeeperStorage : public KeeperStorage {
public:
    Failure Write(const std::string& name, std::string_view bytes) override;
    Failure Read(const std::string& name, std::string& bytes, size_t limit) override;
    Failure Remove(const std::string& name) override;
    std::vector<StoredEntry> Entries() override;
    const std::map<std::string, std::string>& files() const { return files_; }

private:
    std::map<std::string, std::string> files_;
};

struct KeeperBounds {
    size_t images = 500;
    uint64_t bytes = 50ULL * 1024 * 1024;
};

// Seconds since 1970-01-01 UTC, from the system's clock.
int64_t SystemUtcSeconds();
// "2026-12-09T06:15:00Z", and the compact form names use: "20261209T061500Z".
std::string UtcIsoTime(int64_t seconds);
std::string UtcCompactTime(int64_t seconds);

// One keeper may serve many sessions at once (a fleet's radios): one of
// its operations at a time.
class StoredRadioKeeper : public RadioKeeper {
public:
    explicit StoredRadioKeeper(KeeperStorage& storage, std::function<int64_t()> now = SystemUtcSeconds,
                               KeeperBounds bounds = {});

    Failure Keep(std::string_view image, const std::string& model, const std::string& atis, KeepReason reason,
                 std::string* id = nullptr) override;
    std::vector<KeptImage> List() override;
    Failure Read(const std::string& id, std::string& image) override;
    Failure RememberPartial(const PartialProgramming& partial) override;
    std::vector<PartialProgramming> Partials() override;
    void ForgetPartial(const std::string& port) override;

private:
    void Prune();

    KeeperStorage& storage_;
    std::function<int64_t()> now_;
    KeeperBounds bounds_;
    std::mutex mutex_;
};

// A kept image's fields from its name; nothing for a name of another kind.
std::optional<KeptImage> ParseKeptName(const std::string& name);

// The largest memory image file a keeper reads back.
inline constexpr size_t kKeptImageLimit = 64 * 1024;

}  // namespace rp770
