// Which language the program speaks: the environment as gettext reads it,
// the remembered choice, the catalogues there are.

#include <gtest/gtest.h>

#include "messages/BuiltInTranslations.h"
#include "messages/Catalogue.h"
#include "messages/Language.h"
#include "messages/MessageText.h"

namespace rp770 {
namespace {

const std::vector<std::string> kAvailable = {"de", "en_XA", "fr", "nl"};

TEST(Language, TagsAreNormalised) {
    const struct {
        const char* tag;
        const char* expected;
    } cases[] = {
        {"de_DE.UTF-8", "de_DE"}, {"de_DE.UTF-8@euro", "de_DE"}, {"nl-be", "nl_BE"}, {"FR", "fr"},
        {"C", "C"},               {"POSIX", "C"},               {"C.UTF-8", "C"},    {"", ""},
        {"en_XA", "en_XA"},       {"zh-Hant-TW", "zh_HANT"},    {"../de", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(NormalisedLanguage(c.tag), c.expected) << c.tag;
}

TEST(Language, TheEnvironmentChoosesAsGettextDoes) {
    const struct {
        LanguageEnvironment environment;  // LANGUAGE, LC_ALL, LC_MESSAGES, LANG
        const char* expected;
    } cases[] = {
        {{"", "", "", ""}, "en"},
        {{"de", "", "", ""}, "de"},                              // nothing else set: LANGUAGE speaks
        {{"de", "C", "", ""}, "en"},                             // the C locale: today's texts
        {{"de", "", "", "C.UTF-8"}, "de"},                       // C.UTF-8 names no language: LANGUAGE speaks
        {{"", "", "", "C.UTF-8"}, "en"},
        {{"nl", "POSIX", "", "de_DE.UTF-8"}, "en"},
        {{"", "de_DE.UTF-8", "", ""}, "de"},                     // the suite's own locale
        {{"", "", "", "nl_NL.UTF-8"}, "nl"},
        {{"", "", "fr_CA.UTF-8", "de_DE.UTF-8"}, "fr"},          // LC_MESSAGES before LANG
        {{"", "de_AT.UTF-8", "fr_FR.UTF-8", ""}, "de"},          // LC_ALL before LC_MESSAGES
        {{"fr:de", "de_DE.UTF-8", "", ""}, "fr"},                // LANGUAGE before the locale
        {{"pt_BR:nl", "de_DE.UTF-8", "", ""}, "nl"},             // the first with a catalogue
        {{"en:de", "de_DE.UTF-8", "", ""}, "en"},                // English asked for first
        {{"", "en_GB.UTF-8", "", ""}, "en"},
        {{"pt", "pt_BR.UTF-8", "", ""}, "en"},                   // none offered: English
        {{"en_XA", "de_DE.UTF-8", "", ""}, "en_XA"},             // the pseudo-language by its exact name
    };
    for (const auto& c : cases) {
        const auto& e = c.environment;
        EXPECT_EQ(ChooseLanguage("", e, kAvailable), c.expected)
            << "LANGUAGE=" << e.language << " LC_ALL=" << e.lcAll << " LC_MESSAGES=" << e.lcMessages << " LANG=" << e.lang;
    }
}

TEST(Language, ARememberedChoiceWinsWhenThereIsACatalogueForIt) {
    const LanguageEnvironment german{"", "de_DE.UTF-8", "", ""};
    EXPECT_EQ(ChooseLanguage("nl", german, kAvailable), "nl");
    EXPECT_EQ(ChooseLanguage("en", german, kAvailable), "en");
    EXPECT_EQ(ChooseLanguage("", german, kAvailable), "de") << "empty: the system's";
    EXPECT_EQ(ChooseLanguage("xx", german, kAvailable), "de") << "a language without a catalogue: the system's";
    EXPECT_EQ(ChooseLanguage("nl", {"", "C", "", ""}, kAvailable), "nl") << "chosen, not asked for by the system";
}

TEST(Language, TheBuiltInCataloguesAreTheLanguagesOfThePoFiles) {
    const std::vector<std::string> languages = BuiltInLanguages();
    for (const char* language : {"de", "nl", "fr", "en_XA"})
        EXPECT_NE(std::find(languages.begin(), languages.end(), language), languages.end()) << language;
    EXPECT_FALSE(BuiltInTranslations("en")) << "English needs no table";
    for (const std::string& language : languages) {
        const std::optional<Translations> t = BuiltInTranslations(language);
        ASSERT_TRUE(t) << language;
        for (int i = 0; i < kMessageCount; ++i) EXPECT_TRUE(t->Has(MessageId(i))) << language << " " << MessageIdName(MessageId(i));
    }
}

TEST(Language, TheCommandLineSpeaksWhatTheEnvironmentAsks) {
    EXPECT_EQ(UseBuiltInLanguage({"de", "", "", ""}), "de");
    EXPECT_EQ(MessageText(MessageId::CliOptionsHeading).Render(), BuiltInTranslations("de")->Text(MessageId::CliOptionsHeading));
    EXPECT_NE(MessageText(MessageId::CliOptionsHeading).Render(), "Options:");
    // The pseudo-language is every text longer, with its placeholders kept.
    EXPECT_EQ(UseBuiltInLanguage({"en_XA", "", "", ""}), "en_XA");
    const std::string pseudo = MessageText(MessageId::AskChangeDestination, "INT").Render();
    EXPECT_NE(pseudo.find("INT"), std::string::npos) << pseudo;
    EXPECT_GE(pseudo.size(), std::string("Do you want to change to INT?").size() * 13 / 10) << pseudo;
    EXPECT_EQ(UseBuiltInLanguage({"de", "C", "", ""}), "en");
    EXPECT_EQ(MessageText(MessageId::CliOptionsHeading).Render(), "Options:");
}

}  // namespace
}  // namespace rp770
