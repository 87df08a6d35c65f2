#include "messages/Translations.h"

#include <atomic>

#include "messages/Catalogue.h"

namespace rp770 {

namespace {

const Translations kEnglish;
std::atomic<const Translations*> gCurrent{&kEnglish};

}  // namespace

Translations::Translations(std::string language, std::vector<std::string> texts)
    : language_(std::move(language)), texts_(std::move(texts)) {}

Translations Translations::Named(std::string language, const std::vector<std::pair<std::string, std::string>>& texts) {
    std::vector<std::string> byId(static_cast<size_t>(kMessageCount));
    for (const auto& [name, text] : texts)
        if (const std::optional<MessageId> id = MessageIdNamed(name)) byId[static_cast<size_t>(*id)] = text;
    return Translations(std::move(language), std::move(byId));
}

bool Translations::Has(MessageId id) const {
    const auto i = static_cast<size_t>(id);
    return i < texts_.size() && !texts_[i].empty();
}

std::string_view Translations::Text(MessageId id) const {
    return Has(id) ? std::string_view(texts_[static_cast<size_t>(id)]) : EnglishText(id);
}

bool Translations::Singular(long long count) const {
    if (language_ == "fr" || language_.rfind("fr_", 0) == 0) return count == 0 || count == 1;
    return count == 1;
}

void UseTranslations(const Translations* translations) { gCurrent = translations ? translations : &kEnglish; }

const Translations& CurrentTranslations() { return *gCurrent; }

}  // namespace rp770
