#pragma once
// Walks the lines of a text: a line ends at CR LF, CR or LF; a line end at
// the very end of the text does not start another (empty) line.
//
// Line ends are found with memchr. The next CR and the next LF are
// remembered, so that in a text with only one kind the search for the other
// runs to the end once, not once per line.

#include <cstring>
#include <string_view>

namespace rp770 {

class TextLines {
public:
    explicit TextLines(std::string_view text)
        : text_(text), cr_(Find(0, '\r')), lf_(Find(0, '\n')) {}
    bool AtEnd() const { return pos_ >= text_.size(); }
    // The next line without its line end; empty at the end of the text.
    std::string_view Next() {
        if (AtEnd()) return {};
        if (cr_ < pos_) cr_ = Find(pos_, '\r');
        if (lf_ < pos_) lf_ = Find(pos_, '\n');
        const size_t end = cr_ < lf_ ? cr_ : lf_;
        const std::string_view line(text_.data() + pos_, end - pos_);
        pos_ = end + (end == cr_ && lf_ == end + 1 ? 2 : 1);  // CR LF is one line end
        return line;
    }

private:
    // The position of the first c at or after `from`, or the text's size.
    size_t Find(size_t from, char c) const {
        if (from >= text_.size()) return text_.size();
        const void* hit = std::memchr(text_.data() + from, c, text_.size() - from);
        return hit ? static_cast<size_t>(static_cast<const char*>(hit) - text_.data()) : text_.size();
    }

    std::string_view text_;
    size_t pos_ = 0;
    size_t cr_;  // the next CR at or after pos_ once looked for (the size when none)
    size_t lf_;
};

}  // namespace rp770
