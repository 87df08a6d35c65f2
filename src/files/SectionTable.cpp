#include "files/SectionTable.h"

#include <cstdint>

#include "files/TextLines.h"

namespace rp770 {

namespace {

char UpperAscii(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

bool SameNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (UpperAscii(a[i]) != UpperAscii(b[i])) return false;
    return true;
}

std::string_view TrimSpaceView(std::string_view text) {
    const size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    const size_t last = text.find_last_not_of(' ');
    return text.substr(first, last - first + 1);
}

}  // namespace

size_t SectionTable::IndexHash::operator()(const IndexKey& k) const {
    // FNV-1a over the upper-cased bytes, with the lengths mixed in so that
    // ("AB", "C") and ("A", "BC") differ.
    uint64_t h = 1469598103934665603ULL;
    auto mix = [&h](unsigned char c) {
        h ^= c;
        h *= 1099511628211ULL;
    };
    for (char c : k.section) mix(static_cast<unsigned char>(UpperAscii(c)));
    h ^= k.section.size();
    h *= 1099511628211ULL;
    for (char c : k.key) mix(static_cast<unsigned char>(UpperAscii(c)));
    return static_cast<size_t>(h);
}

bool SectionTable::IndexEqual::operator()(const IndexKey& a, const IndexKey& b) const {
    return SameNoCase(a.section, b.section) && SameNoCase(a.key, b.key);
}

SectionTable::SectionTable() : text_(std::make_unique<std::string>()) {}

void SectionTable::AddEntry(std::string_view line, size_t equals) {
    const std::string_view key = TrimSpaceView(line.substr(0, equals));
    std::string_view value = TrimSpaceView(line.substr(equals + 1));
    if (!value.empty() && value.front() == '#') value.remove_prefix(1);
    entries_.push_back({key, value});
    ++sections_.back().entryCount;
}

SectionTable SectionTable::Parse(std::string text) {
    SectionTable table;
    *table.text_ = std::move(text);
    TextLines lines(*table.text_);
    std::string_view pending;
    while (!lines.AtEnd()) {
        if (pending.empty()) pending = lines.Next();
        if (pending.empty() || pending.front() != '[') {
            pending = {};  // not a header: dropped
            continue;
        }
        const std::string_view rest = pending.substr(1);
        pending = {};
        const size_t close = rest.find(']');
        if (close == std::string_view::npos || close == 0) continue;
        table.sections_.push_back({TrimSpaceView(rest.substr(0, close)), table.entries_.size(), 0});
        // Its entries, up to the next line that holds a "[".
        while (!lines.AtEnd()) {
            const std::string_view line = lines.Next();
            const size_t equals = line.find('=');
            if (equals != std::string_view::npos && equals >= 1) {
                table.AddEntry(line, equals);
            } else if (line.find('[') != std::string_view::npos) {
                pending = line;
                break;
            }
        }
    }
    table.BuildIndex();
    return table;
}

void SectionTable::BuildIndex() {
    index_.reserve(entries_.size());
    for (const Section& section : sections_)
        for (size_t i = section.firstEntry; i < section.firstEntry + section.entryCount; ++i)
            index_.try_emplace(IndexKey{section.name, entries_[i].key}, entries_[i].value);
}

std::string_view SectionTable::Lookup(std::string_view section, std::string_view key) const {
    const auto it = index_.find(IndexKey{section, key});
    return it == index_.end() ? std::string_view() : it->second;
}

}  // namespace rp770
