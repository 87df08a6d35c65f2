#include "session/PortSetting.h"

#include <charconv>
#include <cstdint>
#include <limits>
#include <string>

namespace rp770 {

namespace {

int ParsePortNumber(const std::string& text) {
    // Leading and trailing spaces are tolerated, as a number typed by hand.
    const size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos) return 1;
    const size_t last = text.find_last_not_of(' ');
    const char* begin = text.data() + first;
    const char* end = text.data() + last + 1;
    if (*begin == '+') ++begin;
    long value = 0;
    const auto [stop, ec] = std::from_chars(begin, end, value);
    if (ec != std::errc() || stop != end) return 1;
    if (value < std::numeric_limits<int16_t>::min() || value > std::numeric_limits<int16_t>::max()) return 1;
    return static_cast<int>(value);
}

}  // namespace

void LoadPortSetting(const SettingsStore& store, link::LinkState& state) {
    state.PortNumber = ParsePortNumber(store.GetOr(kPortSection, kPortNumberKey, "1"));
    state.PortDevice = store.GetOr(kPortSection, kPortDeviceKey, "");
}

void SavePortSetting(SettingsStore& store, const link::LinkState& state) {
    store.Set(kPortSection, kPortNumberKey, std::to_string(state.PortNumber));
    if (!state.PortDevice.empty() || store.Get(kPortSection, kPortDeviceKey))
        store.Set(kPortSection, kPortDeviceKey, state.PortDevice);
}

}  // namespace rp770
