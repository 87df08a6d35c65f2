#pragma once
// The configuration as a plain-text listing in fixed-width columns, for a
// fixed-pitch font: channel groups, common setup, ATIS, the channel lists.

#include <string>

#include "core/Model.h"

namespace rp770 {

// Lines joined by CR LF, no line break after the last line (the row of EXP
// channel 20). The model flags of the data set decide which blocks appear.
// EXP frequencies off the 5 kHz and 12.5 kHz rasters show snapped onto the
// raster (the window keeps the snapped values: Workspace::SnapExpFrequencies).
std::string BuildTextReport(const DataSet& data);

// What "Save As" writes: the report followed by one CR LF.
std::string ReportFileText(const DataSet& data);

}  // namespace rp770
