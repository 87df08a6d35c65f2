#include "files/SectionTable.h"

#include <stdexcept>

namespace rp770 {

namespace {

// ASCII letters only, whatever the locale (as everywhere in the files).
inline char Upper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

bool SameNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (Upper(a[i]) != Upper(b[i])) return false;
    return true;
}

size_t NameHash(std::string_view name) {
    uint64_t h = 1469598103934665603ULL;  // FNV-1a over the upper-cased bytes
    for (char c : name) {
        h ^= static_cast<unsigned char>(Upper(c));
        h *= 1099511628211ULL;
    }
    return static_cast<size_t>(h);
}

inline bool IsLineEnd(char c) { return c == '\r' || c == '\n'; }

const char* LineEnd(const char* p, const char* end) {
    while (p < end && !IsLineEnd(*p)) ++p;
    return p;
}

// Past the line end at p (CR LF counts as one).
const char* NextLine(const char* p, const char* end) {
    if (p == end) return p;
    if (*p++ == '\r' && p < end && *p == '\n') ++p;
    return p;
}

const char* SkipSpaces(const char* p, const char* end) {
    while (p < end && *p == ' ') ++p;
    return p;
}

std::string_view TrimEnd(const char* begin, const char* end) {
    while (end > begin && end[-1] == ' ') --end;
    return {begin, static_cast<size_t>(end - begin)};
}

// Whether the text at p is `word` (in any case) followed by spaces and then
// `stop`. The stored names and keys run up to a stop character that is
// certainly there, so the walk never leaves the text.
bool WordAt(const char* p, std::string_view word, char stop) {
    if (!word.empty() && word.back() == ' ') return false;  // stored words are trimmed
    for (char c : word) {
        if (*p == stop || Upper(*p) != Upper(c)) return false;
        ++p;
    }
    while (*p == ' ') ++p;
    return *p == stop;
}

}  // namespace

SectionTable SectionTable::Parse(std::string text) {
    if (text.size() >= kNoIndex) throw std::length_error("a settings text file of 4 GiB or more cannot be read");
    SectionTable table;
    table.text_ = std::move(text);
    const char* const begin = table.text_.data();
    const char* const end = begin + table.text_.size();
    auto offset = [begin](const char* p) { return static_cast<uint32_t>(p - begin); };

    const char* next = begin;       // where the next unread line begins
    const char* pending = nullptr;  // a line that ended a section's entries, looked at again as a header
    while (next < end) {
        const char* line = pending;
        pending = nullptr;
        if (!line) {
            line = next;
            next = NextLine(LineEnd(line, end), end);
        }
        if (*line != '[') continue;  // not a header: dropped
        const char* close = line + 1;
        while (close < end && !IsLineEnd(*close) && *close != ']') ++close;
        if (close == end || *close != ']' || close == line + 1) continue;  // no name
        table.sections_.push_back({offset(SkipSpaces(line + 1, close)), static_cast<uint32_t>(table.entries_.size()), kNoIndex});

        // Its entries, up to the next line that holds a "[".
        while (next < end) {
            line = next;
            const char* equals = nullptr;
            bool bracket = false;
            const char* p = line;
            for (; p < end; ++p) {
                const char c = *p;
                if (IsLineEnd(c)) break;
                if (c == '=') {
                    if (!equals) equals = p;
                } else if (c == '[') {
                    bracket = true;
                }
            }
            next = NextLine(p, end);
            if (equals && equals > line) {
                table.entries_.push_back(offset(SkipSpaces(line, equals)));
            } else if (bracket) {
                pending = line;
                break;
            }
        }
    }
    table.BuildIndex();
    return table;
}

void SectionTable::BuildIndex() {
    if (sections_.empty()) return;
    size_t slots = 8;
    while (slots < 2 * sections_.size()) slots <<= 1;
    index_.assign(slots, kNoIndex);
    const size_t mask = slots - 1;
    // From the last section back, so that each name's slot ends up holding
    // its first section and every section points to the next of its name.
    for (size_t i = sections_.size(); i-- > 0;) {
        const std::string_view name = NameAt(sections_[i].name);
        size_t s = NameHash(name) & mask;
        while (index_[s] != kNoIndex && !SameNoCase(NameAt(sections_[index_[s]].name), name)) s = (s + 1) & mask;
        sections_[i].nextSameName = index_[s];
        index_[s] = static_cast<uint32_t>(i);
    }
}

std::string_view SectionTable::NameAt(uint32_t offset) const {
    const char* p = text_.data() + offset;
    const char* close = p;
    while (*close != ']') ++close;  // the header's "]" is there
    return TrimEnd(p, close);
}

std::string_view SectionTable::ValueOf(uint32_t keyOffset) const {
    const char* const end = text_.data() + text_.size();
    const char* p = text_.data() + keyOffset;
    while (*p != '=') ++p;
    const char* value = SkipSpaces(p + 1, end);
    std::string_view trimmed = TrimEnd(value, LineEnd(value, end));
    if (!trimmed.empty() && trimmed.front() == '#') trimmed.remove_prefix(1);
    return trimmed;
}

bool SectionTable::KeyIs(uint32_t offset, std::string_view key) const { return WordAt(text_.data() + offset, key, '='); }

size_t SectionTable::EntryEnd(size_t section) const {
    return section + 1 < sections_.size() ? sections_[section + 1].firstEntry : entries_.size();
}

SectionTable::Section SectionTable::SectionAt(size_t index) const {
    return {NameAt(sections_[index].name), EntryEnd(index) - sections_[index].firstEntry};
}

size_t SectionTable::Find(std::string_view section) const {
    if (index_.empty()) return kNone;
    const size_t mask = index_.size() - 1;
    for (size_t s = NameHash(section) & mask; index_[s] != kNoIndex; s = (s + 1) & mask) {
        const uint32_t first = index_[s];
        if (WordAt(text_.data() + sections_[first].name, section, ']')) return first;
    }
    return kNone;
}

std::string_view SectionTable::Lookup(size_t firstSection, std::string_view key) const {
    if (firstSection == kNone) return {};
    for (uint32_t s = static_cast<uint32_t>(firstSection); s != kNoIndex; s = sections_[s].nextSameName) {
        for (size_t i = sections_[s].firstEntry, last = EntryEnd(s); i < last; ++i)
            if (KeyIs(entries_[i], key)) return ValueOf(entries_[i]);
    }
    return {};
}

std::string_view SectionTable::Lookup(std::string_view section, std::string_view key) const {
    return Lookup(Find(section), key);
}

}  // namespace rp770
