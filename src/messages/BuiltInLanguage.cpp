#include "messages/BuiltInTranslations.h"

namespace rp770 {

std::string UseBuiltInLanguage(const LanguageEnvironment& environment) {
    const std::string language = ChooseLanguage("", environment, BuiltInLanguages());
    static std::optional<Translations> chosen;
    chosen = BuiltInTranslations(language);
    UseTranslations(chosen ? &*chosen : nullptr);
    return language;
}

}  // namespace rp770
