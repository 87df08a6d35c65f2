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
//
// The table keeps the file's text as it came and remembers only where
// things begin in it: 5 bytes per entry (where its key begins, and a byte of
// the key's hash that spares most comparisons), 12 per section and at most 8
// per section for the name index. Names, keys and values are found again in
// the text when asked for, so a large file costs little more than its own
// bytes. Texts of 4 GiB or more are refused.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace rp770 {

class SectionTable {
public:
    struct Section {
        std::string_view name;   // trimmed, as written
        size_t entryCount = 0;
    };
    // The sections in file order, each made on request.
    class SectionList {
    public:
        size_t size() const { return table_->sections_.size(); }
        Section operator[](size_t index) const { return table_->SectionAt(index); }
        class Iterator {
        public:
            Iterator(const SectionTable* table, size_t index) : table_(table), index_(index) {}
            Section operator*() const { return table_->SectionAt(index_); }
            Iterator& operator++() {
                ++index_;
                return *this;
            }
            bool operator!=(const Iterator& other) const { return index_ != other.index_; }

        private:
            const SectionTable* table_;
            size_t index_;
        };
        Iterator begin() const { return {table_, 0}; }
        Iterator end() const { return {table_, size()}; }

    private:
        friend class SectionTable;
        explicit SectionList(const SectionTable* table) : table_(table) {}
        const SectionTable* table_;
    };
    static constexpr size_t kNone = static_cast<size_t>(-1);

    SectionTable() = default;
    // Parses the text of a file (any bytes; lines end at CR LF, CR or LF).
    // Throws std::length_error for a text of 4 GiB or more.
    static SectionTable Parse(std::string text);

    SectionList sections() const { return SectionList(this); }
    size_t entryCount() const { return entries_.size(); }

    // Empty text when no section of that name has the key.
    std::string_view Lookup(std::string_view section, std::string_view key) const;

    // The same in two steps, for a reader that asks one section for several
    // keys: the first section of the name (kNone when there is none), then
    // the key searched from there along the sections of that name.
    size_t Find(std::string_view section) const;
    std::string_view Lookup(size_t firstSection, std::string_view key) const;

private:
    static constexpr uint32_t kNoIndex = UINT32_MAX;
    struct Stored {
        uint32_t name;          // where the name begins (past "[" and spaces)
        uint32_t firstEntry;    // its entries run up to the next section's first
        uint32_t nextSameName;  // the next section of the same name, in file order
    };

    // A growing array kept in blocks of equal size: it never holds a copy of
    // itself while it grows, nor much room it does not use.
    template <typename T>
    class BlockArray {
    public:
        size_t size() const { return size_; }
        T operator[](size_t i) const { return blocks_[i >> kShift][i & kMask]; }
        T& operator[](size_t i) { return blocks_[i >> kShift][i & kMask]; }
        // Element i and how many follow it in the same block before `last`.
        struct Span {
            const T* first;
            size_t count;
        };
        Span Run(size_t i, size_t last) const {
            const size_t blockEnd = (i | kMask) + 1;
            return {&blocks_[i >> kShift][i & kMask], (last < blockEnd ? last : blockEnd) - i};
        }
        void push_back(const T& value) {
            if ((size_ & kMask) == 0) blocks_.push_back(std::unique_ptr<T[]>(new T[kMask + 1]));
            blocks_.back()[size_ & kMask] = value;
            ++size_;
        }

    private:
        static constexpr unsigned kShift = 10;
        static constexpr size_t kMask = (size_t{1} << kShift) - 1;
        std::vector<std::unique_ptr<T[]>> blocks_;
        size_t size_ = 0;
    };

    std::string_view NameAt(uint32_t offset) const;
    std::string_view ValueAfter(const char* equals) const;
    static uint8_t KeyHash(std::string_view key);
    Section SectionAt(size_t index) const;
    size_t EntryEnd(size_t section) const;
    void BuildIndex();

    std::string text_;
    BlockArray<Stored> sections_;
    BlockArray<uint32_t> entries_;  // where each entry's key begins (past leading spaces)
    BlockArray<uint8_t> keyHashes_;  // KeyHash of each entry's key
    std::vector<uint32_t> index_;   // open addressing by name: the first section of each name
};

}  // namespace rp770
