#pragma once
// The cell texts of one channel row, shared by the text report and the
// printed report. A cell that cannot be formed (a record pointing outside the
// base channel table) is missing; the reports leave it out and keep the rest.

#include <array>
#include <optional>
#include <string>

#include "core/Model.h"

namespace rp770 {

using ReportCell = std::optional<std::string>;

// CH, RX(MHz), TX(MHz), TX, LOW, UP, DUP, MEM of a USA, INT or CAN record.
inline constexpr int kRegularCells = 8;
std::array<ReportCell, kRegularCells> RegularRowCells(const ChannelRecord& record);

// CH, ENABLE, MEM of WX channel index k (0-9); CH is k + 1.
inline constexpr int kWxCells = 3;
std::array<std::string, kWxCells> WxRowCells(int k, const ChannelRecord& record);

// CH, CHD, ENABLE, RX(MHz), TX(MHz), LOW, UP, MEM of EXP channel n (1-20).
// The frequencies show snapped onto the 5 kHz raster unless they lie on the
// 5 kHz or 12.5 kHz raster.
inline constexpr int kExpCells = 8;
std::array<std::string, kExpCells> ExpRowCells(int n, const ChannelRecord& record);

}  // namespace rp770
