#include "files/IniValue.h"

#include "core/Codecs.h"
#include "files/TextLines.h"

namespace rp770 {

namespace {

bool IsProfileSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f' || c == '\x1a';
}

std::string_view TrimProfileSpace(std::string_view text) {
    while (!text.empty() && IsProfileSpace(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsProfileSpace(text.back())) text.remove_suffix(1);
    return text;
}


std::string Finish(std::string_view value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
        value = value.substr(1, value.size() - 2);
    const size_t nul = value.find('\0');
    if (nul != std::string_view::npos) value = value.substr(0, nul);
    if (value.size() > kIniValueMaxLength) value = value.substr(0, kIniValueMaxLength);
    return std::string(value);
}

}  // namespace

std::string PrivateProfileString(std::string_view text, std::string_view section, std::string_view key,
                                 std::string_view fallback) {
    TextLines lines(text);
    bool inSection = false;
    while (!lines.AtEnd()) {
        std::string_view line = TrimProfileSpace(lines.Next());
        if (line.empty()) continue;
        if (line.front() == '[') {
            const size_t close = line.rfind(']');
            if (close != std::string_view::npos) {
                if (inSection) return std::string(fallback);  // only the first section of the name counts
                inSection = EqualsNoCase(TrimProfileSpace(line.substr(1, close - 1)), section);
                continue;
            }
        }
        if (!inSection) continue;
        const size_t eq = line.find('=');
        const std::string_view name = TrimProfileSpace(line.substr(0, eq));
        if (!EqualsNoCase(name, key)) continue;
        if (eq == std::string_view::npos) return {};
        return Finish(TrimProfileSpace(line.substr(eq + 1)));
    }
    return std::string(fallback);
}

std::string ReadIniValueFromText(std::string_view text, std::string_view section, std::string_view key) {
    std::string value = PrivateProfileString(text, section, key, "<NONE>");
    if (value == "<NONE>") return {};
    if (!value.empty() && value.front() == '#') value.erase(0, 1);
    return value;
}

}  // namespace rp770
