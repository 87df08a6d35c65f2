#pragma once
// The per-user store of remembered choices (last model, destination per
// model, serial port, window geometry, hex dump option): text values by
// section and key, under the application name AppTitle.

#include <optional>
#include <string>

namespace rp770 {

class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    // The stored value, or nothing when the key is missing.
    virtual std::optional<std::string> Get(const std::string& section, const std::string& key) const = 0;
    virtual void Set(const std::string& section, const std::string& key, const std::string& value) = 0;

    std::string GetOr(const std::string& section, const std::string& key, const std::string& fallback) const {
        auto v = Get(section, key);
        return v ? *v : fallback;
    }
};

}  // namespace rp770
