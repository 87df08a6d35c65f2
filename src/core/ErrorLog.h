#pragma once
// The error log: run-time failures recorded for diagnosis, each with the
// qualified name of the procedure that met it ("frmMain.FileRead2") and
// the failure's number followed directly by its description ("53File not
// found"). The plain layers report through this interface and never open a
// file themselves; the front end gives them the log it chose (the
// desktop's err.log in debug mode), or none.

#include <string>
#include <string_view>

namespace rp770 {

class ErrorLog {
public:
    virtual ~ErrorLog() = default;
    // Records one report; never fails its caller and never shows anything.
    virtual void Report(std::string_view qualifiedName, std::string_view message) = 0;
    // Where the reports go, for the user ("/home/ann/.local/state/rp770/err.log");
    // empty when they are not kept.
    virtual std::string Where() const { return {}; }
};

// The log that keeps nothing: without debug mode, and in the browser.
ErrorLog& NoErrorLog();

// The line a report writes, without its line end:
// date "," time ":" qualifiedName " -> " message.
std::string FormatErrorLine(std::string_view date, std::string_view time, std::string_view qualifiedName,
                            std::string_view message);

}  // namespace rp770
