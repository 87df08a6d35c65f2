#pragma once
// The sections of a settings text file as its reader sees them: sections in
// file order, each with its entries in file order. Names and keys compare
// without regard to case (as if upper-cased); values are trimmed of spaces
// and lose one leading "#".
//
// Lookup(section, key) gives the value of the first entry of that key in the
// first section of that name that has one, searching in file order. Sections
// of one name are chained through an index built once, and the reader asks
// a bounded number of keys of each section name, so applying a file of any
// size stays linear in its size.

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace rp770 {

class SectionTable {
public:
    struct Entry {
        std::string_view key;    // trimmed, as written
        std::string_view value;  // trimmed, one leading "#" removed
    };
    struct Section {
        std::string_view name;   // trimmed, as written
        size_t firstEntry = 0;
        size_t entryCount = 0;
        size_t nextSameName = kNone;  // the next section of the same name, in file order
    };
    static constexpr size_t kNone = static_cast<size_t>(-1);

    SectionTable();
    // Parses the text of a file (any bytes; lines end at CR LF, CR or LF).
    static SectionTable Parse(std::string text);

    const std::vector<Section>& sections() const { return sections_; }
    const Entry& entry(size_t index) const { return entries_[index]; }
    size_t entryCount() const { return entries_.size(); }

    // Empty text when no section of that name has the key.
    std::string_view Lookup(std::string_view section, std::string_view key) const;

private:
    struct NameHash {
        size_t operator()(std::string_view name) const;
    };
    struct NameEqual {
        bool operator()(std::string_view a, std::string_view b) const;
    };
    struct Chain {
        size_t first = kNone;
        size_t last = kNone;
    };

    void AddEntry(std::string_view line, size_t equals);
    void BuildIndex();

    std::unique_ptr<std::string> text_;  // owned on the heap: the views stay valid when the table moves
    std::vector<Section> sections_;
    std::vector<Entry> entries_;
    std::unordered_map<std::string_view, Chain, NameHash, NameEqual> byName_;
};

}  // namespace rp770
