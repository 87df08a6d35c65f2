#pragma once
// An error log for tests: keeps every report as "name -> message".

#include <string>
#include <string_view>
#include <vector>

#include "core/ErrorLog.h"

namespace rp770::testing {

class RecordingErrorLog : public ErrorLog {
public:
    std::vector<std::string> reports;
    void Report(std::string_view qualifiedName, std::string_view message) override {
        reports.push_back(std::string(qualifiedName) + " -> " + std::string(message));
    }
};

}  // namespace rp770::testing
