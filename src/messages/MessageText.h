#pragma once
// What the program says, as a value: a message id with its arguments
// ("Do you want to change to %1?" with "INT"), rendered in a language only
// where it is shown. A text that is data (a path, a channel's name, the
// system's own words) travels as it is, untranslated. Code decides by ids,
// never by comparing rendered words.
//
//   MessageText done = MessageId::Complete;
//   MessageText ask{MessageId::AskChangeDestination, name};
//   MessageText n = MessageText::Plural(count, MessageId::BytesDifferOne, MessageId::BytesDifferMany, count);
//   std::string shown = ask.Render();   // in the language in use

#include <concepts>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>
#include <vector>

#include "messages/MessageId.h"
#include "messages/Translations.h"

namespace rp770 {

struct MessageText {
    MessageId id = MessageId::Verbatim;
    std::string verbatim;            // the text itself when id is Verbatim
    std::vector<MessageText> args;   // %1, %2, ... (at most 9)
    // A count's two forms: `id` for the singular, `plural` for the rest.
    MessageId plural = MessageId::Verbatim;
    long long count = 0;

    MessageText() = default;
    MessageText(MessageId message) : id(message) {}                        // NOLINT: a text is its id
    MessageText(std::string text) : verbatim(std::move(text)) {}          // NOLINT: data, shown as it is
    MessageText(std::string_view text) : verbatim(text) {}                // NOLINT
    MessageText(const char* text) : verbatim(text ? text : "") {}         // NOLINT
    template <typename First, typename... Rest>
    MessageText(MessageId message, First&& first, Rest&&... rest) : id(message) {
        args.reserve(1 + sizeof...(Rest));
        args.push_back(Argument(std::forward<First>(first)));
        (args.push_back(Argument(std::forward<Rest>(rest))), ...);
    }

    // The singular or the plural form by the count, as the language counts.
    template <typename... Args>
    static MessageText Plural(long long count, MessageId one, MessageId many, Args&&... arguments) {
        MessageText text{one};
        (text.args.push_back(Argument(std::forward<Args>(arguments))), ...);
        text.plural = many;
        text.count = count;
        return text;
    }

    bool Empty() const { return id == MessageId::Verbatim && verbatim.empty(); }
    bool operator==(const MessageText&) const = default;

    // The words in the language in use, in another, or in English (the
    // error log, and whatever must not change with the language).
    std::string Render() const { return Render(CurrentTranslations()); }
    std::string Render(const Translations& language) const;
    std::string English() const;

    // An argument from a number (decimal, as any locale writes it), a text or another message.
    template <typename T>
    static MessageText Argument(T&& value) {
        using V = std::remove_cvref_t<T>;
        if constexpr (std::integral<V> && !std::same_as<V, bool> && !std::same_as<V, char>)
            return MessageText(std::to_string(value));
        else
            return MessageText(std::forward<T>(value));
    }
};

// Fills the placeholders %1..%9 of a pattern with rendered arguments; a "%"
// before anything else stays as it is.
std::string FillPlaceholders(std::string_view pattern, const std::vector<std::string>& args);

// A catalogue text named where words are wanted (a rule under a refusal):
// its id, for code that tells one from another, and its words in the
// language in use wherever it becomes a string.
struct CatalogueText {
    MessageId id;
    std::string Render() const { return MessageText(id).Render(); }
    operator std::string() const { return Render(); }  // NOLINT: words where words are wanted
    friend std::string operator+(const std::string& before, const CatalogueText& text) { return before + text.Render(); }
};

// The words of a catalogue message in the language in use.
template <typename... Args>
std::string Words(MessageId message, Args&&... arguments) {
    return MessageText(message, std::forward<Args>(arguments)...).Render();
}

// The same words in English, whatever the language in use: what a record
// keeps that must not change with the language (the error log, a failure's
// own words).
template <typename... Args>
std::string EnglishWords(MessageId message, Args&&... arguments) {
    return MessageText(message, std::forward<Args>(arguments)...).English();
}

}  // namespace rp770
