#include "core/Codecs.h"
#include "files/SectionTable.h"

#include <cstdint>

#include "files/TextLines.h"

namespace rp770 {

namespace {


std::string_view TrimSpaceView(std::string_view text) {
    const size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    const size_t last = text.find_last_not_of(' ');
    return text.substr(first, last - first + 1);
}

}  // namespace

size_t SectionTable::NameHash::operator()(std::string_view name) const {
    uint64_t h = 1469598103934665603ULL;  // FNV-1a over the upper-cased bytes
    for (char c : name) {
        h ^= static_cast<unsigned char>(UpperAscii(c));
        h *= 1099511628211ULL;
    }
    return static_cast<size_t>(h);
}

bool SectionTable::NameEqual::operator()(std::string_view a, std::string_view b) const { return EqualsNoCase(a, b); }

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
    byName_.reserve(sections_.size());
    for (size_t i = 0; i < sections_.size(); ++i) {
        Chain& chain = byName_[sections_[i].name];
        if (chain.first == kNone)
            chain.first = i;
        else
            sections_[chain.last].nextSameName = i;
        chain.last = i;
    }
}

std::string_view SectionTable::Lookup(std::string_view section, std::string_view key) const {
    const auto it = byName_.find(section);
    if (it == byName_.end()) return {};
    for (size_t s = it->second.first; s != kNone; s = sections_[s].nextSameName) {
        const Section& sec = sections_[s];
        for (size_t i = sec.firstEntry; i < sec.firstEntry + sec.entryCount; ++i)
            if (EqualsNoCase(entries_[i].key, key)) return entries_[i].value;
    }
    return {};
}

}  // namespace rp770
