#include "fleet/SafeFileName.h"

namespace rp770::fleet {

namespace {

constexpr size_t kLongest = 100;

std::string Lower(std::string s) {
    for (char& c : s)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return s;
}

// CON, PRN, AUX, NUL, COM0-COM9, LPT0-LPT9, with any extension.
bool WindowsDeviceName(const std::string& name) {
    const std::string base = Lower(name.substr(0, name.find('.')));
    if (base == "con" || base == "prn" || base == "aux" || base == "nul") return true;
    return base.size() == 4 && (base.rfind("com", 0) == 0 || base.rfind("lpt", 0) == 0) && base[3] >= '0' &&
           base[3] <= '9';
}

}  // namespace

std::string SafeFileName(std::string_view text) {
    std::string name;
    for (size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        const bool kept = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
                          c == '_' || c == '.';
        if (kept) {
            name += static_cast<char>(c);
            continue;
        }
        // One '_' for anything else, a character of several bytes included.
        if (c >= 0xC0)
            while (i + 1 < text.size() && (static_cast<unsigned char>(text[i + 1]) & 0xC0) == 0x80) ++i;
        if (name.empty() || name.back() != '_') name += '_';
    }
    const auto trim = [](char c) { return c == '.' || c == '_' || c == '-'; };
    while (!name.empty() && trim(name.front())) name.erase(name.begin());
    if (name.size() > kLongest) name.resize(kLongest);
    while (!name.empty() && trim(name.back())) name.pop_back();
    if (name.empty()) return "radio";
    if (WindowsDeviceName(name)) name.insert(name.begin(), '_');
    return name;
}

std::string NameClaims::Claim(const std::string& stem) {
    const std::lock_guard<std::mutex> lock(mutex_);
    std::string name = stem;
    for (int n = 2; !taken_.insert(Lower(name)).second; ++n) name = stem + "-" + std::to_string(n);
    return name;
}

}  // namespace rp770::fleet
