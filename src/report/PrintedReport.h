#pragma once
// The configuration on paper: the content of the text report, every cell at
// its own position, each section on a page of its own.

#include <string>

#include "core/Model.h"
#include "report/PrintSurface.h"

namespace rp770 {

// Page 1: header, channel groups, common setup. With ATIS, the ATIS part on
// a page of its own without a header. Then one page (with header) for each
// of USA, INT, CAN, the WX list (when the model has weather channels) and
// the EXP list; ends the document. EXP frequencies show snapped, as in the
// text report.
void PrintReport(const DataSet& data, PrintSurface& surface);

// "MR318 Velloran" for model 1.
std::string PageHeaderTitle(int modelNumber);

}  // namespace rp770
