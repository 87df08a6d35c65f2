#include "core/ErrorLog.h"

namespace rp770 {

namespace {
class NothingKept : public ErrorLog {
public:
    void Report(std::string_view, std::string_view) override {}
};
}  // namespace

ErrorLog& NoErrorLog() {
    static NothingKept log;
    return log;
}

std::string FormatErrorLine(std::string_view date, std::string_view time, std::string_view qualifiedName,
                            std::string_view message) {
    std::string line;
    line.append(date).append(",").append(time).append(":").append(qualifiedName).append(" -> ").append(message);
    return line;
}

}  // namespace rp770
