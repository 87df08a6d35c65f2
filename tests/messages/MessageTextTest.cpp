// Messages as ids with arguments, rendered in a language only where shown.

#include <gtest/gtest.h>

#include "messages/Catalogue.h"
#include "messages/MessageText.h"

namespace rp770 {
namespace {

std::vector<std::string> Texts(std::initializer_list<std::pair<MessageId, const char*>> entries) {
    std::vector<std::string> texts(kMessageCount);
    for (const auto& [id, text] : entries) texts[static_cast<size_t>(id)] = text;
    return texts;
}

TEST(MessageText, RendersTheEnglishCatalogueWithItsArguments) {
    EXPECT_EQ(MessageText(MessageId::CommunicationError).Render(), "Communication Error!!");
    EXPECT_EQ(MessageText(MessageId::AskSaveChanges).Render(), "QZP data has changed.\nDo you want to save changes?");
    EXPECT_EQ(MessageText(MessageId::AskChangeDestination, "INT").Render(), "Do you want to change to INT?");
    EXPECT_EQ(MessageText(MessageId::ImageWrongLength, 1024, size_t{7}).Render(),
              "A memory image is 1024 bytes; this file has 7.")
        << "numbers as any locale writes them";
    // A message inside another is rendered in the same language.
    const MessageText nested(MessageId::MessageWithReason, MessageId::FileReadError, "/boat.dat", MessageId::ErrnoNoSuchFile);
    EXPECT_EQ(nested.Render(), "FileRead Error!! (/boat.dat: No such file or directory)");
    EXPECT_EQ(MessageText("data as they are: %1").Render(), "data as they are: %1") << "a verbatim text is not filled";
    EXPECT_TRUE(MessageText().Empty());
    EXPECT_FALSE(MessageText(MessageId::Complete).Empty());
}

TEST(MessageText, PlaceholdersAreFilledWhereverTheLanguagePutsThem) {
    const struct {
        const char* pattern;
        std::vector<std::string> args;
        const char* expected;
    } cases[] = {
        {"%1 %2", {"a", "b"}, "a b"},
        {"%2 vor %1", {"a", "b"}, "b vor a"},
        {"%1 und %1", {"x"}, "x und x"},
        {"100% %1", {"sure"}, "100% sure"},
        {"%1 %3", {"a"}, "a %3"},   // a placeholder without its argument stays visible
        {"50%", {}, "50%"},
        {"%0 %9", {"a"}, "%0 %9"},
    };
    for (const auto& c : cases) EXPECT_EQ(FillPlaceholders(c.pattern, c.args), c.expected) << c.pattern;
}

TEST(MessageText, RendersInTheLanguageInUseAndEnglishOnRequest) {
    const Translations german("de", Texts({{MessageId::AskChangeDestination, "Zu %1 wechseln?"},
                                           {MessageId::ErrnoNoSuchFile, "Datei oder Verzeichnis nicht gefunden"}}));
    const MessageText ask(MessageId::AskChangeDestination, "INT");
    EXPECT_EQ(ask.Render(german), "Zu INT wechseln?");
    EXPECT_EQ(MessageText(MessageId::Complete).Render(german), "Complete!!") << "untranslated: said in English";
    UseTranslations(&german);
    EXPECT_EQ(ask.Render(), "Zu INT wechseln?");
    EXPECT_EQ(ask.English(), "Do you want to change to INT?") << "the error log stays English";
    EXPECT_EQ(CurrentTranslations().Language(), "de");
    UseTranslations(nullptr);
    EXPECT_EQ(ask.Render(), "Do you want to change to INT?");
    EXPECT_EQ(CurrentTranslations().Language(), "en");
}

TEST(MessageText, TranslationsKeyedByNameAsThePageHoldsThem) {
    const Translations dutch = Translations::Named(
        "nl", {{"AskChangeDestination", "Wilt u overschakelen naar %1?"}, {"NoSuchId", "weg"}, {"Complete", ""}});
    EXPECT_EQ(dutch.Language(), "nl");
    EXPECT_EQ(MessageText(MessageId::AskChangeDestination, "CAN").Render(dutch), "Wilt u overschakelen naar CAN?");
    EXPECT_FALSE(dutch.Has(MessageId::Complete));
    EXPECT_EQ(MessageText(MessageId::Complete).Render(dutch), "Complete!!");
}

TEST(MessageText, CountsTakeTheFormTheirLanguageGives) {
    const Translations french("fr", Texts({{MessageId::ChangesOneField, "un (%1)"}, {MessageId::ChangesFields, "plusieurs (%1)"}}));
    const Translations dutch("nl", Texts({{MessageId::ChangesOneField, "één (%1)"}, {MessageId::ChangesFields, "meer (%1)"}}));
    const struct {
        long long count;
        const char* english;
        const char* french;
        const char* dutch;
    } cases[] = {
        {0, "Programming changes 0 fields in the radio (as read from it before).", "un (0)", "meer (0)"},
        {1, "Programming changes 1 field in the radio (as read from it before).", "un (1)", "één (1)"},
        {2, "Programming changes 2 fields in the radio (as read from it before).", "plusieurs (2)", "meer (2)"},
    };
    for (const auto& c : cases) {
        const MessageText text = MessageText::Plural(c.count, MessageId::ChangesOneField, MessageId::ChangesFields, c.count);
        EXPECT_EQ(text.Render(), c.english) << c.count;
        EXPECT_EQ(text.Render(french), c.french) << c.count;
        EXPECT_EQ(text.Render(dutch), c.dutch) << c.count;
    }
}

TEST(MessageText, ComparesByIdAndArgumentsNotByWords) {
    EXPECT_EQ(MessageText(MessageId::AskChangeDestination, "INT"), MessageText(MessageId::AskChangeDestination, "INT"));
    EXPECT_NE(MessageText(MessageId::AskChangeDestination, "INT"), MessageText(MessageId::AskChangeDestination, "USA"));
    EXPECT_NE(MessageText(MessageId::Complete), MessageText("Complete!!")) << "an id is not its English words";
}

TEST(Catalogue, EveryIdHasItsNameAndEnglishText) {
    for (int i = 0; i < kMessageCount; ++i) {
        const MessageId id = MessageId(i);
        const std::string_view name = MessageIdName(id);
        ASSERT_FALSE(name.empty()) << i;
        EXPECT_FALSE(EnglishText(id).empty()) << name;
        EXPECT_EQ(MessageIdNamed(name), id) << name;
    }
    EXPECT_EQ(MessageIdName(MessageId::CommunicationError), "CommunicationError");
    EXPECT_FALSE(MessageIdNamed("NoSuchMessage"));
    EXPECT_TRUE(EnglishText(MessageId::Verbatim).empty());
}

}  // namespace
}  // namespace rp770
