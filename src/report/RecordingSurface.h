#pragma once
// A print surface that keeps every text it is given, with its position and
// page, for tests and for looking at a printout without a printer. Every
// character is the same width; lines have a fixed height.

#include <string>
#include <vector>

#include "report/PositionedSurface.h"

namespace rp770 {

struct RecordedText {
    int page = 1;       // 1 for the first page
    double x = 0;       // twips from the printable left edge
    double y = 0;       // twips from the printable top edge
    std::string text;   // empty for a cell that only ends the line
    bool endLine = false;
};

class RecordingSurface : public PositionedSurface {
public:
    static constexpr double kDefaultCharWidth = 120;   // twips, 12 characters to the inch
    static constexpr double kDefaultLineHeight = 240;  // twips, 6 lines to the inch

    // pageHeight 0: pages never fill up on their own.
    explicit RecordingSurface(double pageHeight = 0, double charWidth = kDefaultCharWidth,
                              double lineHeight = kDefaultLineHeight);

    const std::vector<RecordedText>& Texts() const { return texts_; }
    // The non-empty texts of one page, in the order they were drawn.
    std::vector<RecordedText> TextsOnPage(int page) const;
    // The non-empty texts of one page that share the vertical position y.
    std::vector<std::string> LineAt(int page, double y) const;

protected:
    double TextWidth(std::string_view text) const override;
    double LineHeight() const override { return lineHeight_; }
    double PageHeight() const override { return pageHeight_; }
    void Draw(double xTwips, double yTwips, std::string_view text, bool endLine) override;
    void BeginNextPage() override {}
    void FinishDocument() override {}

private:
    double pageHeight_;
    double charWidth_;
    double lineHeight_;
    std::vector<RecordedText> texts_;
};

}  // namespace rp770
