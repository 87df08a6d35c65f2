#pragma once
// One language's texts of the catalogue, and the language the program
// speaks. A front end chooses the language once at its start (the command
// line from its built-in tables, the window from its .qm files, the page
// from its JSON); everything said afterwards is rendered in it. Files, the
// wire and the reports never go through here.

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "messages/MessageId.h"

namespace rp770 {

class Translations {
public:
    // English: the catalogue's own texts.
    Translations() = default;
    // `texts` by id (as MessageId numbers them); a missing or empty one is said in English.
    Translations(std::string language, std::vector<std::string> texts);
    // From texts keyed by the ids' names, as the page's catalogues
    // (LANGUAGE.json) hold them; a name no id has is left out.
    static Translations Named(std::string language, const std::vector<std::pair<std::string, std::string>>& texts);

    // "en", "de", "nl", "fr", "en_XA" (the pseudo-language of the layout checks).
    const std::string& Language() const { return language_; }
    // The text of the id in this language, English where it has none.
    std::string_view Text(MessageId id) const;
    bool Has(MessageId id) const;
    // Whether a count takes the singular form: 1 in English, German and
    // Dutch; 0 and 1 in French.
    bool Singular(long long count) const;

private:
    std::string language_ = "en";
    std::vector<std::string> texts_;
};

// The translations messages are rendered with from now on; nullptr: English.
// The caller keeps them alive for as long as they are in use.
void UseTranslations(const Translations* translations);
const Translations& CurrentTranslations();

}  // namespace rp770
