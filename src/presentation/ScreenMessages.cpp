#include "presentation/ScreenMessages.h"

namespace rp770::presentation {

Message RefusalMessage(const Refusal& refusal) { return {refusal.text, refusal.title, Icon::Warning, refusal.detail}; }

Message NoDifferencesMessage(const std::string& otherName, const std::string& title) {
    return Message::Of({MessageId::NoDifferences, otherName}, title, Icon::Information);
}

}  // namespace rp770::presentation
