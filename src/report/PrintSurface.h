#pragma once
// A printer page as the printed report sees it: a current position in twips
// (1440 to the inch, 56.7 to the millimetre) measured from the top left of
// the printable area, text drawn at that position, new page, end of document.

#include <string_view>

namespace rp770 {

class PrintSurface {
public:
    virtual ~PrintSurface() = default;

    virtual double CurrentX() const = 0;
    virtual double CurrentY() const = 0;
    virtual void SetCurrentX(double twips) = 0;
    virtual void SetCurrentY(double twips) = 0;

    // Draws the text with its top left at the current position. With endLine
    // the next output starts at the left edge of the next line; without it,
    // the next output continues on the same line right after the text.
    virtual void Print(std::string_view text, bool endLine) = 0;

    // Starts the next page; the position goes back to the top left.
    virtual void NewPage() = 0;
    // Ends the document and hands it over (to the printer, to the file).
    virtual void EndDoc() = 0;
};

}  // namespace rp770
