#pragma once
// The sections of a settings text file as its reader sees them: sections in
// file order, each with its entries in file order. Names and keys compare
// without regard to case (as if upper-cased); values are trimmed of spaces
// and lose one leading "#".
//
// Lookup(section, key) gives the value of the first entry of that key in the
// first section of that name that has one, searching in file order. It is
// answered from an index built once, so that applying a file of any size
// stays linear in its size.

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
    };

    SectionTable();
    // Parses the text of a file (any bytes; lines end at CR LF, CR or LF).
    static SectionTable Parse(std::string text);

    const std::vector<Section>& sections() const { return sections_; }
    const Entry& entry(size_t index) const { return entries_[index]; }
    size_t entryCount() const { return entries_.size(); }

    // Empty text when no section of that name has the key.
    std::string_view Lookup(std::string_view section, std::string_view key) const;

private:
    struct IndexKey {
        std::string_view section;
        std::string_view key;
    };
    struct IndexHash {
        size_t operator()(const IndexKey& k) const;
    };
    struct IndexEqual {
        bool operator()(const IndexKey& a, const IndexKey& b) const;
    };

    void AddEntry(std::string_view line, size_t equals);
    void BuildIndex();

    std::unique_ptr<std::string> text_;  // owned on the heap: the views stay valid when the table moves
    std::vector<Section> sections_;
    std::vector<Entry> entries_;
    std::unordered_map<IndexKey, std::string_view, IndexHash, IndexEqual> index_;
};

}  // namespace rp770
