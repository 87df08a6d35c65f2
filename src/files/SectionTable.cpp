#include "files/SectionTable.h"

#include <cstring>
#include <stdexcept>

#include "files/TextLines.h"
#include "messages/MessageText.h"

namespace rp770 {

namespace {

// ASCII letters only, whatever the locale (as everywhere in the files).
inline char Upper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

// Folds the case of ASCII letters without a branch (and some other bytes
// together with them, which a hash may do): bytes equal in any case fold
// alike.
inline unsigned Fold(char c) { return static_cast<unsigned char>(c) | 0x20u; }

size_t NameHash(std::string_view name) {
    uint64_t h = 1469598103934665603ULL;  // FNV-1a over the folded bytes
    for (char c : name) {
        h ^= Fold(c);
        h *= 1099511628211ULL;
    }
    return static_cast<size_t>(h);
}

const char* FindByte(const char* p, const char* end, char c) {
    const void* hit = std::memchr(p, c, static_cast<size_t>(end - p));
    return static_cast<const char*>(hit);
}

// The end of the line at p. A value is short as a rule: its end is looked
// for close by first, so that a file with only one kind of line end is not
// searched to its end for the other.
const char* LineEnd(const char* p, const char* end) {
    for (size_t window = 64;; window *= 8) {
        const char* limit = static_cast<size_t>(end - p) > window ? p + window : end;
        const char* cr = FindByte(p, limit, '\r');
        const char* lf = FindByte(p, cr ? cr : limit, '\n');
        if (lf) return lf;
        if (cr) return cr;
        if (limit == end) return end;
    }
}

const char* SkipSpaces(const char* p, const char* end) {
    while (p < end && *p == ' ') ++p;
    return p;
}

std::string_view TrimEnd(const char* begin, const char* end) {
    while (end > begin && end[-1] == ' ') --end;
    return {begin, static_cast<size_t>(end - begin)};
}

// Where the text at p is `word` (in any case) followed by spaces and then
// `stop`: the stop character, or nullptr when the text holds another word.
// A stored name or key runs up to a stop character that is certainly
// there, so the walk never leaves the text.
const char* WordAt(const char* p, const char* end, std::string_view word, char stop) {
    if (const size_t size = word.size(); size > 0) {
        // Stored words are trimmed and never hold their stop character.
        if (word.data()[size - 1] == ' ' || std::memchr(word.data(), stop, size)) return nullptr;
        if (size <= static_cast<size_t>(end - p) && std::memcmp(p, word.data(), size) == 0) {
            p += size;  // spelled exactly as asked, as the program writes it
        } else {
            for (char c : word) {
                if (*p == stop || Upper(*p) != Upper(c)) return nullptr;
                ++p;
            }
        }
    }
    while (*p == ' ') ++p;
    return *p == stop ? p : nullptr;
}

}  // namespace

SectionTable SectionTable::Parse(std::string text) {
    if (text.size() >= kNoIndex) throw std::length_error(Words(MessageId::SettingsFileTooLarge));
    SectionTable table;
    table.text_ = std::move(text);
    const char* const begin = table.text_.data();
    auto offset = [begin](const char* p) { return static_cast<uint32_t>(p - begin); };

    TextLines lines(table.text_);
    std::string_view pending;  // a line that ended a section's entries, looked at again as a header
    while (!lines.AtEnd()) {
        const std::string_view line = pending.empty() ? lines.Next() : pending;
        pending = {};
        if (line.empty() || line.front() != '[') continue;  // not a header: dropped
        const char* const lineEnd = line.data() + line.size();
        const char* close = FindByte(line.data() + 1, lineEnd, ']');
        if (!close || close == line.data() + 1) continue;  // no name
        table.sections_.push_back({offset(SkipSpaces(line.data() + 1, close)), static_cast<uint32_t>(table.entries_.size()), kNoIndex});

        // Its entries, up to the next line that holds a "[".
        while (!lines.AtEnd()) {
            const std::string_view entry = lines.Next();
            const char* const entryEnd = entry.data() + entry.size();
            const char* equals = FindByte(entry.data(), entryEnd, '=');
            if (equals && equals > entry.data()) {
                const char* key = SkipSpaces(entry.data(), equals);
                table.entries_.push_back(offset(key));
                table.keyHashes_.push_back(KeyHash(TrimEnd(key, equals)));
            } else if (FindByte(entry.data(), entryEnd, '[')) {
                pending = entry;
                break;
            }
        }
    }
    table.BuildIndex();
    return table;
}

void SectionTable::BuildIndex() {
    if (sections_.size() == 0) return;
    size_t slots = 8;
    while (slots < 2 * sections_.size()) slots <<= 1;
    index_.assign(slots, kNoIndex);
    const size_t mask = slots - 1;
    const char* const end = text_.data() + text_.size();
    // From the last section back, so that each name's slot ends up holding
    // its first section and every section points to the next of its name.
    for (size_t i = sections_.size(); i-- > 0;) {
        const std::string_view name = NameAt(sections_[i].name);
        size_t s = NameHash(name) & mask;
        while (index_[s] != kNoIndex && !WordAt(text_.data() + sections_[index_[s]].name, end, name, ']'))
            s = (s + 1) & mask;
        sections_[i].nextSameName = index_[s];
        index_[s] = static_cast<uint32_t>(i);
    }
}

std::string_view SectionTable::NameAt(uint32_t offset) const {
    const char* p = text_.data() + offset;
    return TrimEnd(p, FindByte(p, text_.data() + text_.size(), ']'));  // the header's "]" is there
}

std::string_view SectionTable::ValueAfter(const char* equals) const {
    const char* const end = text_.data() + text_.size();
    const char* value = SkipSpaces(equals + 1, end);
    std::string_view trimmed = TrimEnd(value, LineEnd(value, end));
    if (!trimmed.empty() && trimmed.front() == '#') trimmed.remove_prefix(1);
    return trimmed;
}

uint8_t SectionTable::KeyHash(std::string_view key) {
    if (key.empty()) return 0;
    return static_cast<uint8_t>(key.size() * 7 + Fold(key.front()) * 3 + Fold(key.back()));
}

size_t SectionTable::EntryEnd(size_t section) const {
    return section + 1 < sections_.size() ? sections_[section + 1].firstEntry : entries_.size();
}

SectionTable::Section SectionTable::SectionAt(size_t index) const {
    return {NameAt(sections_[index].name), EntryEnd(index) - sections_[index].firstEntry};
}

size_t SectionTable::Find(std::string_view section) const {
    if (index_.empty()) return kNone;
    const char* const end = text_.data() + text_.size();
    const size_t mask = index_.size() - 1;
    for (size_t s = NameHash(section) & mask; index_[s] != kNoIndex; s = (s + 1) & mask) {
        const uint32_t first = index_[s];
        if (WordAt(text_.data() + sections_[first].name, end, section, ']')) return first;
    }
    return kNone;
}

std::string_view SectionTable::Lookup(size_t firstSection, std::string_view key) const {
    if (firstSection == kNone) return {};
    const char* const end = text_.data() + text_.size();
    const uint8_t hash = KeyHash(key);
    for (uint32_t s = static_cast<uint32_t>(firstSection); s != kNoIndex; s = sections_[s].nextSameName) {
        // The entries whose key has the hash, found a block at a time.
        for (size_t i = sections_[s].firstEntry, last = EntryEnd(s); i < last;) {
            const auto run = keyHashes_.Run(i, last);
            const void* hit = std::memchr(run.first, hash, run.count);
            if (!hit) {
                i += run.count;
                continue;
            }
            i += static_cast<size_t>(static_cast<const uint8_t*>(hit) - run.first);
            if (const char* equals = WordAt(text_.data() + entries_[i], end, key, '=')) return ValueAfter(equals);
            ++i;
        }
    }
    return {};
}

std::string_view SectionTable::Lookup(std::string_view section, std::string_view key) const {
    return Lookup(Find(section), key);
}

}  // namespace rp770
