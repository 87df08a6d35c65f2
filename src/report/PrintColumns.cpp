#include "report/PrintColumns.h"

#include <cctype>
#include <string>

#include "core/Codecs.h"

namespace rp770 {

double ColumnTwips(int columnMm) {
    // 56.7 has no exact binary form; 567 / 10 keeps whole millimetres exact.
    constexpr double kTwipsPerTenMillimetres = 567;
    return static_cast<double>(columnMm + kLeftMarginMm) * kTwipsPerTenMillimetres / 10.0;
}

std::vector<int> ParseWidthList(std::string_view text) {
    std::vector<int> widths;
    for (const std::string& entry : SplitList(text)) {
        int value = 0;
        for (char c : entry) {
            if (!std::isdigit(static_cast<unsigned char>(c))) break;
            if (value > 100000) break;  // widths are millimetres; keep the sum in range
            value = value * 10 + (c - '0');
        }
        widths.push_back(value);
    }
    return widths;
}

std::vector<int> RunningColumns(const std::vector<int>& widths, const std::vector<int>& usedEntries) {
    auto at = [&](int i) { return i >= 0 && i < static_cast<int>(widths.size()) ? widths[static_cast<size_t>(i)] : 0; };
    int sum = at(0);
    std::vector<int> columns{sum};
    for (int entry : usedEntries) {
        sum += at(entry);
        columns.push_back(sum);
    }
    return columns;
}

const std::vector<int>& RegularColumns() {
    static const std::vector<int> columns = RunningColumns(ParseWidthList(kRegularWidthList), {1, 2, 3, 4, 5, 6, 7});
    return columns;
}

const std::vector<int>& ExpColumns() {
    static const std::vector<int> columns = RunningColumns(ParseWidthList(kExpWidthList), {1, 2, 3, 4, 5, 7, 8});
    return columns;
}

const std::vector<int>& WxColumns() {
    static const std::vector<int> columns{0, 9, 28};
    return columns;
}

}  // namespace rp770
