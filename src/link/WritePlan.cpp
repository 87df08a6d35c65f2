#include "link/WritePlan.h"

#include <algorithm>

namespace rp770::link {

std::vector<PlannedRow> WritePlan(int lastAddress) {
    std::vector<PlannedRow> plan;
    for (int row = 0; row <= lastAddress; row += 16) {
        PlannedRow planned{row, {}};
        if (row == 0x000) {
            for (int a = 0x002; a <= 0x00F; ++a) planned.writes.push_back({a, 1});
        } else if (row == 0x010) {
            for (int a = 0x010; a <= 0x01F; ++a)
                if (a != 0x017) planned.writes.push_back({a, 1});
        } else if ((row >= 0x0E0 && row <= 0x0FF) || row >= 0x3F0) {
            // skipped
        } else {
            planned.writes.push_back({row, std::min(16, lastAddress + 1 - row)});
        }
        plan.push_back(std::move(planned));
    }
    return plan;
}

}  // namespace rp770::link
