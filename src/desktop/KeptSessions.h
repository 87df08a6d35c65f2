#pragma once
// Where the window keeps a copy of its unsaved changes while the user
// works (SessionSnapshot.h): one file per running instance in the user's
// state folder, so that two windows never overwrite each other's copy, and
// the copies of instances that ended without saving, offered on the next
// start. A copy is replaced atomically; one of an instance still running
// is never offered.

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "core/Failure.h"
#include "session/SessionSnapshot.h"

namespace rp770 {

struct KeptCopy {
    std::filesystem::path path;
    SessionSnapshot snapshot;
};

class KeptSessions {
public:
    // `folder` is made when the first copy is kept.
    explicit KeptSessions(std::filesystem::path folder);

    // The user's: the state folder's "sessions"; empty when the system does
    // not say where the user's home is.
    static std::filesystem::path UserFolder();

    // The copies left by instances that no longer run, newest first. A copy
    // that cannot be read as one is left where it is and not offered.
    std::vector<KeptCopy> Waiting() const;

    // This instance's copy, replacing the one it kept before.
    Failure Keep(const SessionSnapshot& snapshot);
    // This instance's copy goes (saved, discarded, closed on purpose).
    void Forget();
    // A waiting copy goes (restored or discarded).
    static void Remove(const std::filesystem::path& copy);

    const std::filesystem::path& ownFile() const { return own_; }
    bool keeping() const { return kept_; }

private:
    std::filesystem::path folder_;
    std::filesystem::path own_;
    bool kept_ = false;
};

// A moment as UTC in ISO 8601 to the second ("2026-12-09T06:10:00Z").
std::string UtcTimeText(long long secondsSinceEpoch);
std::string UtcTimeNow();

}  // namespace rp770
