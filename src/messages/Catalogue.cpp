#include "messages/Catalogue.h"

#include <algorithm>
#include <array>
#include <string>
#include <utility>

namespace rp770 {

namespace {

constexpr std::array<std::string_view, kMessageCount> kEnglish = {
#define RP770_MESSAGE(id, english) english,
#include "messages/English.def"
#undef RP770_MESSAGE
};

constexpr std::array<std::string_view, kMessageCount> kNames = {
#define RP770_MESSAGE(id, english) #id,
#include "messages/English.def"
#undef RP770_MESSAGE
};

bool Known(MessageId id) { return static_cast<int>(id) < kMessageCount; }

}  // namespace

std::string_view EnglishText(MessageId id) { return Known(id) ? kEnglish[static_cast<size_t>(id)] : std::string_view(); }

std::string_view MessageIdName(MessageId id) { return Known(id) ? kNames[static_cast<size_t>(id)] : std::string_view(); }

std::optional<MessageId> MessageIdNamed(std::string_view name) {
    // Sorted once: the page and the window's catalogue loaders look up every id by name.
    static const auto sorted = [] {
        std::array<std::pair<std::string_view, MessageId>, kMessageCount> byName{};
        for (int i = 0; i < kMessageCount; ++i) byName[static_cast<size_t>(i)] = {kNames[static_cast<size_t>(i)], MessageId(i)};
        std::sort(byName.begin(), byName.end());
        return byName;
    }();
    const auto it = std::lower_bound(sorted.begin(), sorted.end(), std::pair(name, MessageId::Verbatim),
                                     [](const auto& a, const auto& b) { return a.first < b.first; });
    if (it == sorted.end() || it->first != name) return std::nullopt;
    return it->second;
}

}  // namespace rp770
