#pragma once
// The printed report of `report --pdf` and `report --print`: drawn with Qt
// where rp770-cli is built with Qt (QtPrinting.cpp, the one file of the
// command line that needs it), refused where it is not (NoPrinting.cpp).

#include <string>

#include "cli/CliOptions.h"
#include "cli/CliSession.h"
#include "core/Model.h"

namespace rp770::cli {

// Said by a build without Qt when asked for --pdf or --print.
inline constexpr MessageId kCannotPrint = MessageId::CliCannotPrint;

// The printing options, checked before anything is written: kExitOk to go
// on; otherwise what is wrong has been said and the status is returned.
int CheckPrintOptions(const CliOptions& options, Console& console);

// Writes the printed report where --pdf says and prints it where --print
// says; `source` names the file it was made from (the job's title).
int PrintReport(const CliOptions& options, CliSession& cli, const DataSet& data, const std::string& source);

}  // namespace rp770::cli
