#pragma once
// The catalogues compiled into a program from the .po files at build time
// (the rp770_message_tables library): the command line carries its
// languages in itself, so that a copy without any file beside it, the
// Windows one included, speaks them.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "messages/Language.h"
#include "messages/Translations.h"

namespace rp770 {

// The languages there are tables of ("de", "en_XA", "fr", "nl"); English needs none.
std::vector<std::string> BuiltInLanguages();
// The translations of that language; nothing for English or an unknown one.
std::optional<Translations> BuiltInTranslations(std::string_view language);
// Speaks, from now on, the language the environment asks for among the
// built-in ones (the command line's start); the language chosen.
std::string UseBuiltInLanguage(const LanguageEnvironment& environment);

}  // namespace rp770
