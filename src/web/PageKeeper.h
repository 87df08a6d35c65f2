#pragma once
// What the page keeps of the radios (the memory images read from them, the
// radios left partly programmed): the session's keeper over the page's own
// store of named files (web/keep.js, in the browser's IndexedDB). The store
// is held whole in the page, so it is read and written at once; the
// runtime object of web/session.js gives
//   keeping() -> whether the page keeps anything (a store was given)
//   keptWrite(name, bytes), keptRead(name) -> bytes or null, keptRemove(name),
//   keptEntries() -> [{name, size}]
// A change that the browser then fails to write is the page's to tell.

#include <emscripten/val.h>
#include <string>
#include <vector>

#include "session/RadioKeeper.h"

namespace rp770::web {

class PageKeeperStorage : public KeeperStorage {
public:
    explicit PageKeeperStorage(emscripten::val runtime) : runtime_(std::move(runtime)) {}
    Failure Write(const std::string& name, std::string_view bytes) override;
    Failure Read(const std::string& name, std::string& bytes, size_t limit) override;
    Failure Remove(const std::string& name) override;
    std::vector<StoredEntry> Entries() override;
    std::string Where(const std::string& name) const override;
    bool Keeping() const;

private:
    emscripten::val runtime_;
};

// The keeper and its store, and what the page shows of them.
class PageKeeper {
public:
    explicit PageKeeper(emscripten::val runtime);
    // The session's keeper; none when the page keeps nothing.
    RadioKeeper* keeper() { return present_ ? &keeper_ : nullptr; }

    // [{id, time, model, atis, reason, size}], the newest first.
    emscripten::val Images();
    // [{port, file, time}], the latest first.
    static emscripten::val PartialsObject(const std::vector<PartialProgramming>& partials);

private:
    PageKeeperStorage storage_;
    StoredRadioKeeper keeper_;
    bool present_;
};

}  // namespace rp770::web
