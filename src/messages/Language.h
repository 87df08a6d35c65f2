#pragma once
// Which language the program speaks. The window and the command line ask
// the environment as gettext does: LC_ALL, else LC_MESSAGES, else LANG names
// the messages locale; when that is C or POSIX the program speaks English,
// its own language, whatever else is set; otherwise LANGUAGE (a list such
// as "nl:de") comes first, then the locale's language (C.UTF-8 names
// none, so LANGUAGE alone chooses there). The variables are
// read as they stand, so no locale has to be installed for a language to be
// used. The window's settings may remember a choice, which then wins.

#include <string>
#include <string_view>
#include <vector>

namespace rp770 {

// The variables that choose the language, as they are set ("" when not).
struct LanguageEnvironment {
    std::string language;    // LANGUAGE
    std::string lcAll;       // LC_ALL
    std::string lcMessages;  // LC_MESSAGES
    std::string lang;        // LANG
};
LanguageEnvironment LanguageEnvironmentOfProcess();

// A locale or language tag as the catalogues name languages: "de_DE.UTF-8@euro"
// and "de-de" give "de_DE", "NL" gives "nl"; "C", "POSIX" and "C.UTF-8" give "C".
std::string NormalisedLanguage(std::string_view tag);

// The languages asked for, the most wanted first; none for the C locale.
std::vector<std::string> PreferredLanguages(const LanguageEnvironment& environment);

// The first language asked for that has a catalogue (as it is, else its
// language without the territory: "de_AT" takes "de"); "en" when none has
// (English needs none). English asked for before another language wins.
std::string MatchLanguage(const std::vector<std::string>& preferred, const std::vector<std::string>& available);

// The remembered choice of the window's and the page's settings, in the
// section the other choices are kept in: empty (or absent) for the system's
// language, else a language ("en", "de", "nl", "fr").
inline constexpr const char* kLanguageSection = "Settings";
inline constexpr const char* kLanguageKey = "Language";

// The language to speak: the remembered one when it is set and has a
// catalogue (or is English), else the environment's.
std::string ChooseLanguage(std::string_view remembered, const LanguageEnvironment& environment,
                           const std::vector<std::string>& available);

}  // namespace rp770
