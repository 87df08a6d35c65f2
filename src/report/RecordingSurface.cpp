#include "report/RecordingSurface.h"

namespace rp770 {

RecordingSurface::RecordingSurface(double pageHeight, double charWidth, double lineHeight)
    : pageHeight_(pageHeight), charWidth_(charWidth), lineHeight_(lineHeight) {}

std::vector<RecordedText> RecordingSurface::TextsOnPage(int page) const {
    std::vector<RecordedText> onPage;
    for (const RecordedText& t : texts_)
        if (t.page == page && !t.text.empty()) onPage.push_back(t);
    return onPage;
}

std::vector<std::string> RecordingSurface::LineAt(int page, double y) const {
    std::vector<std::string> line;
    for (const RecordedText& t : texts_)
        if (t.page == page && t.y == y && !t.text.empty()) line.push_back(t.text);
    return line;
}

double RecordingSurface::TextWidth(std::string_view text) const {
    return charWidth_ * static_cast<double>(text.size());
}

void RecordingSurface::Draw(double xTwips, double yTwips, std::string_view text, bool endLine) {
    texts_.push_back({PageCount(), xTwips, yTwips, std::string(text), endLine});
}

}  // namespace rp770
