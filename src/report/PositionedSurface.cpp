#include "report/PositionedSurface.h"

namespace rp770 {

void PositionedSurface::Print(std::string_view text, bool endLine) {
    if (ended_) return;
    if (!text.empty()) {
        const double limit = PageHeight();
        if (limit > 0 && y_ > 0 && y_ + LineHeight() > limit) {
            const double x = x_;
            NewPage();
            x_ = x;
        }
    }
    Draw(x_, y_, text, endLine);
    if (endLine) {
        x_ = 0;
        y_ += LineHeight();
    } else {
        x_ += TextWidth(text);
    }
}

void PositionedSurface::NewPage() {
    if (ended_) return;
    BeginNextPage();
    ++pages_;
    x_ = 0;
    y_ = 0;
}

void PositionedSurface::EndDoc() {
    if (ended_) return;
    ended_ = true;
    FinishDocument();
}

}  // namespace rp770
