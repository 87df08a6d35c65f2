#pragma once
// The English catalogue, compiled in: the text of every id as the program
// has always said it, and the id's own name (what translators see as the
// entry's context, and what the page's catalogues are keyed by).

#include <optional>
#include <string_view>

#include "messages/MessageId.h"

namespace rp770 {

// The English text ("Communication Error!!"); empty for Verbatim.
std::string_view EnglishText(MessageId id);
// "CommunicationError"; empty for Verbatim.
std::string_view MessageIdName(MessageId id);
// The id of that name, if there is one.
std::optional<MessageId> MessageIdNamed(std::string_view name);

}  // namespace rp770
