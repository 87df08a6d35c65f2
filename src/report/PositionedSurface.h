#pragma once
// The position bookkeeping every print surface shares: where the next text
// goes, how a line ends, and the page that starts by itself when a line would
// run off the bottom of the page. A concrete surface only measures and draws.

#include <string_view>

#include "report/PrintSurface.h"

namespace rp770 {

class PositionedSurface : public PrintSurface {
public:
    double CurrentX() const override { return x_; }
    double CurrentY() const override { return y_; }
    void SetCurrentX(double twips) override { x_ = twips; }
    void SetCurrentY(double twips) override { y_ = twips; }

    // A non-empty text that would reach below the printable area starts a
    // new page first (unless it is already at the top of one) and keeps its
    // horizontal position. Output after EndDoc is ignored.
    void Print(std::string_view text, bool endLine) override;
    void NewPage() override;
    void EndDoc() override;

    bool Ended() const { return ended_; }
    int PageCount() const { return pages_; }  // pages begun so far, the first included

protected:
    virtual double TextWidth(std::string_view text) const = 0;  // twips
    virtual double LineHeight() const = 0;                     // twips
    virtual double PageHeight() const = 0;  // printable height in twips; 0 or less: no limit
    // Every text goes through here, the empty ones that only end a line too.
    virtual void Draw(double xTwips, double yTwips, std::string_view text, bool endLine) = 0;
    virtual void BeginNextPage() = 0;
    virtual void FinishDocument() = 0;

private:
    double x_ = 0;
    double y_ = 0;
    int pages_ = 1;
    bool ended_ = false;
};

}  // namespace rp770
