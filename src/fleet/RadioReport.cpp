#include "fleet/RadioReport.h"

#include "files/CsvText.h"

namespace rp770::fleet {

namespace {

std::string OneLine(std::string text) {
    for (char& c : text)
        if (c == '\t' || c == '\r' || c == '\n') c = ' ';
    return text;
}

std::string TwoDigits(int n) { return (n < 10 ? "0" : "") + std::to_string(n); }

}  // namespace

std::string_view ResultName(RadioResult result) {
    switch (result) {
        case RadioResult::Ok: return "ok";
        case RadioResult::Failed: return "failed";
        case RadioResult::PartlyProgrammed: return "partly-programmed";
        case RadioResult::Untouched: break;
    }
    return "untouched";
}

std::string ReportLine(const RadioReport& r) {
    return OneLine(r.radio.port) + "\t" + OneLine(r.radio.vessel) + "\t" + std::string(ResultName(r.result)) + "\t" +
           OneLine(r.reason) + "\n";
}

std::string RecordLine(const RadioReport& r, const std::string& utcTime) {
    return CsvRecordText({utcTime, r.radio.port, r.radio.vessel, r.atis, r.model, std::string(ResultName(r.result)),
                          r.sha256});
}

std::string UtcTimestamp(std::time_t time) {
    std::tm utc{};
#if defined(_WIN32)
    gmtime_s(&utc, &time);
#else
    gmtime_r(&time, &utc);
#endif
    return std::to_string(utc.tm_year + 1900) + "-" + TwoDigits(utc.tm_mon + 1) + "-" + TwoDigits(utc.tm_mday) + "T" +
           TwoDigits(utc.tm_hour) + ":" + TwoDigits(utc.tm_min) + ":" + TwoDigits(utc.tm_sec) + "Z";
}

}  // namespace rp770::fleet
