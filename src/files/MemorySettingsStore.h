#pragma once
// Settings stores that live in memory: a plain one (tests, a session that
// must not persist anything), and an overlay that reads through to another
// store but keeps every change to itself, so that the store below is never
// written (the command-line tool reads the user's choices this way).

#include <map>
#include <string>
#include <utility>

#include "files/SettingsStore.h"

namespace rp770 {

class MemorySettingsStore : public SettingsStore {
public:
    std::optional<std::string> Get(const std::string& section, const std::string& key) const override;
    void Set(const std::string& section, const std::string& key, const std::string& value) override;
    size_t size() const { return values_.size(); }

private:
    std::map<std::pair<std::string, std::string>, std::string> values_;
};

class ReadOnlyOverlayStore : public SettingsStore {
public:
    explicit ReadOnlyOverlayStore(const SettingsStore& base) : base_(base) {}
    std::optional<std::string> Get(const std::string& section, const std::string& key) const override;
    void Set(const std::string& section, const std::string& key, const std::string& value) override;

private:
    const SettingsStore& base_;
    MemorySettingsStore changes_;
};

}  // namespace rp770
