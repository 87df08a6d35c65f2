#include "presentation/ScreenMessages.h"

namespace rp770::presentation {

Message RefusalMessage(const Refusal& refusal) { return {refusal.text, refusal.title, Icon::Warning, refusal.detail}; }

Message NoDifferencesMessage(const std::string& otherName, const std::string& title) {
    return {"No differences: the data on screen are the same as " + otherName + ".", title, Icon::Information};
}

}  // namespace rp770::presentation
