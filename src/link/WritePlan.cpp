#include "link/WritePlan.h"

#include <algorithm>

#include "core/MemoryImage.h"

namespace rp770::link {

std::vector<PlannedRow> WritePlan(int lastAddress) {
    constexpr int kRow = 16;
    std::vector<PlannedRow> plan;
    for (int row = 0; row <= lastAddress; row += kRow) {
        PlannedRow planned{row, {}};
        const bool keptRow = (row >= addr::KeptRowsFirst && row < addr::KeptRowsEnd) || row >= addr::ModelCodeRow;
        if (row == addr::ModelCode) {
            // Byte by byte, without the model code the radio keeps.
            for (int a = addr::ModelCode + 2; a < row + kRow; ++a) planned.writes.push_back({a, 1});
        } else if (row == addr::ModelCode + kRow) {
            for (int a = row; a < row + kRow; ++a)
                if (a != addr::RadioKeeps017) planned.writes.push_back({a, 1});
        } else if (!keptRow) {
            planned.writes.push_back({row, std::min(kRow, lastAddress + 1 - row)});
        }
        plan.push_back(std::move(planned));
    }
    return plan;
}

}  // namespace rp770::link
