#pragma once
// The error reporter: in debug mode each report appends one line to err.log
// in the folder chosen at start (the program's folder, or the user's state
// folder when the program's folder is read-only); otherwise it does nothing.
// It never fails its caller.

#include <string>
#include <string_view>

namespace rp770 {

// Where reports go and whether they are written at all. Set once at start.
void ConfigureErrorLog(const std::string& folder, bool debugMode);

// The file reports go to; empty when nothing is logged (no debug mode).
std::string ErrorLogPath();

// date "," time ":" qualifiedName " -> " message, ended by CR LF.
void ReportError(std::string_view qualifiedName, std::string_view message);

// The line a report writes, without its line end (for a given moment).
std::string FormatErrorLine(std::string_view date, std::string_view time, std::string_view qualifiedName,
                            std::string_view message);

}  // namespace rp770
