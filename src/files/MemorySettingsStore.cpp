#include "files/MemorySettingsStore.h"

namespace rp770 {

std::optional<std::string> MemorySettingsStore::Get(const std::string& section, const std::string& key) const {
    const auto it = values_.find({section, key});
    if (it == values_.end()) return std::nullopt;
    return it->second;
}

void MemorySettingsStore::Set(const std::string& section, const std::string& key, const std::string& value) {
    values_[{section, key}] = value;
}

std::optional<std::string> ReadOnlyOverlayStore::Get(const std::string& section, const std::string& key) const {
    if (auto changed = changes_.Get(section, key)) return changed;
    return base_.Get(section, key);
}

void ReadOnlyOverlayStore::Set(const std::string& section, const std::string& key, const std::string& value) {
    changes_.Set(section, key, value);
}

}  // namespace rp770
