#include "messages/Language.h"

#include <algorithm>
#include <cstdlib>

namespace rp770 {

namespace {

std::string Variable(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }
char Upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

bool Offered(const std::vector<std::string>& available, const std::string& language) {
    return language == "en" || std::find(available.begin(), available.end(), language) != available.end();
}

}  // namespace

LanguageEnvironment LanguageEnvironmentOfProcess() {
    return {Variable("LANGUAGE"), Variable("LC_ALL"), Variable("LC_MESSAGES"), Variable("LANG")};
}

std::string NormalisedLanguage(std::string_view tag) {
    // The code set and the modifier are not part of the language.
    tag = tag.substr(0, std::min(tag.find('.'), tag.find('@')));
    if (tag == "C" || tag == "POSIX" || tag == "c" || tag == "posix") return "C";
    std::string language;
    bool territory = false;
    for (const char c : tag) {
        if (c == '_' || c == '-') {
            if (territory) break;  // a script or variant after the territory: not used
            territory = true;
            language += '_';
        } else if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z')) {
            language += territory ? Upper(c) : Lower(c);
        } else {
            return {};
        }
    }
    if (!language.empty() && language.back() == '_') language.pop_back();
    return language;
}

std::vector<std::string> PreferredLanguages(const LanguageEnvironment& environment) {
    const std::string& locale = !environment.lcAll.empty()       ? environment.lcAll
                                : !environment.lcMessages.empty() ? environment.lcMessages
                                                                  : environment.lang;
    // The C locale itself speaks English whatever LANGUAGE says; C.UTF-8 and
    // the like only name no language of their own (as gettext reads them).
    if (locale == "C" || locale == "POSIX") return {};
    const std::string localeLanguage = NormalisedLanguage(locale);
    std::vector<std::string> preferred;
    std::string_view list = environment.language;
    while (!list.empty()) {
        const size_t colon = std::min(list.find(':'), list.size());
        if (std::string one = NormalisedLanguage(list.substr(0, colon)); !one.empty() && one != "C")
            preferred.push_back(std::move(one));
        list.remove_prefix(std::min(colon + 1, list.size()));
    }
    if (!localeLanguage.empty() && localeLanguage != "C") preferred.push_back(localeLanguage);
    return preferred;
}

std::string MatchLanguage(const std::vector<std::string>& preferred, const std::vector<std::string>& available) {
    for (const std::string& wanted : preferred) {
        if (Offered(available, wanted)) return wanted;
        const std::string language = wanted.substr(0, wanted.find('_'));
        if (Offered(available, language)) return language;
    }
    return "en";
}

std::string ChooseLanguage(std::string_view remembered, const LanguageEnvironment& environment,
                           const std::vector<std::string>& available) {
    if (const std::string chosen = NormalisedLanguage(remembered); !chosen.empty() && Offered(available, chosen))
        return chosen;
    return MatchLanguage(PreferredLanguages(environment), available);
}

}  // namespace rp770
