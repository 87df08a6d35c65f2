#include "desktop/SameFile.h"

#include <filesystem>
#include <system_error>

#include "messages/MessageText.h"

namespace rp770 {

namespace {

// "a settings text file" as what is written, "the ..." as what is there.
MessageText Named(FileContent content, bool written) {
    switch (content) {
        case FileContent::SettingsText: return written ? MessageId::WrittenSettingsText : MessageId::ThereSettingsText;
        case FileContent::MemoryImage: return written ? MessageId::WrittenMemoryImage : MessageId::ThereMemoryImage;
        case FileContent::SettingsOrImage:
            return written ? MessageId::WrittenSettingsOrImage : MessageId::ThereSettingsOrImage;
        case FileContent::ChannelTable: return written ? MessageId::WrittenChannelTable : MessageId::ThereChannelTable;
        case FileContent::TextReport: return written ? MessageId::WrittenTextReport : MessageId::ThereTextReport;
        case FileContent::PdfDocument: return written ? MessageId::WrittenPdfDocument : MessageId::TherePdfDocument;
    }
    return {};
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
    return Words(MessageId::OutputIsInput, output.name, input.name, Named(output.content, true),
                 Named(input.content, false));
}

}  // namespace rp770
