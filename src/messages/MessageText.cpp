#include "messages/MessageText.h"

namespace rp770 {

std::string FillPlaceholders(std::string_view pattern, const std::vector<std::string>& args) {
    std::string out;
    out.reserve(pattern.size());
    for (size_t i = 0; i < pattern.size(); ++i) {
        const char next = i + 1 < pattern.size() ? pattern[i + 1] : '\0';
        if (pattern[i] == '%' && next >= '1' && next <= '9' && static_cast<size_t>(next - '1') < args.size()) {
            out += args[static_cast<size_t>(next - '1')];
            ++i;
        } else {
            out += pattern[i];
        }
    }
    return out;
}

std::string MessageText::Render(const Translations& language) const {
    if (id == MessageId::Verbatim) return verbatim;
    const MessageId form = plural != MessageId::Verbatim && !language.Singular(count) ? plural : id;
    std::vector<std::string> rendered;
    rendered.reserve(args.size());
    for (const MessageText& arg : args) rendered.push_back(arg.Render(language));
    return FillPlaceholders(language.Text(form), rendered);
}

std::string MessageText::English() const {
    static const Translations english;
    return Render(english);
}

}  // namespace rp770
