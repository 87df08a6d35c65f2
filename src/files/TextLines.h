#pragma once
// Walks the lines of a text: a line ends at CR LF, CR or LF; a line end at
// the very end of the text does not start another (empty) line.

#include <string_view>

namespace rp770 {

class TextLines {
public:
    explicit TextLines(std::string_view text) : text_(text) {}
    bool AtEnd() const { return pos_ >= text_.size(); }
    // The next line without its line end; empty at the end of the text.
    std::string_view Next() {
        if (AtEnd()) return {};
        const size_t end = text_.find_first_of("\r\n", pos_);
        if (end == std::string_view::npos) {
            const std::string_view line = text_.substr(pos_);
            pos_ = text_.size();
            return line;
        }
        const std::string_view line = text_.substr(pos_, end - pos_);
        pos_ = end + 1;
        if (text_[end] == '\r' && pos_ < text_.size() && text_[pos_] == '\n') ++pos_;
        return line;
    }

private:
    std::string_view text_;
    size_t pos_ = 0;
};

}  // namespace rp770
