#include "desktop/SameFile.h"

#include <filesystem>
#include <system_error>

namespace rp770 {

namespace {

// "a settings text file" as what is written, "the ..." as what is there.
std::string Named(FileContent content, bool written) {
    const char* what = "";
    switch (content) {
        case FileContent::SettingsText: what = "settings text file"; break;
        case FileContent::MemoryImage: what = "memory image file"; break;
        case FileContent::SettingsOrImage: what = "settings or memory image file"; break;
        case FileContent::ChannelTable: what = "channel table"; break;
        case FileContent::TextReport: what = "text report"; break;
        case FileContent::PdfDocument: what = "PDF document"; break;
    }
    return std::string(written ? "a " : "the ") + what;
}

}  // namespace

bool IsSameFile(const std::string& a, const std::string& b) {
    if (a == "-" || b == "-") return false;
    std::error_code ec;
    const bool same = std::filesystem::equivalent(a, b, ec);
    return !ec && same;
}

std::string OutputReplacingInput(const NamedFile& output, const NamedFile& input) {
    if (output.content == input.content || !IsSameFile(output.name, input.name)) return {};
    return output.name + " (the output) is the same file as " + input.name + " (the input): " +
           Named(output.content, true) + " would replace " + Named(input.content, false) +
           ". Nothing was read or written.";
}

}  // namespace rp770
