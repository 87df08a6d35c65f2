#include "files/CsvText.h"

#include "messages/MessageText.h"

namespace rp770 {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

bool NeedsQuotes(std::string_view field) {
    if (field.empty()) return false;
    if (field.front() == ' ' || field.front() == '\t' || field.back() == ' ' || field.back() == '\t') return true;
    return field.find_first_of(",;\"\r\n") != std::string_view::npos;
}

// The separator the first line uses most, outside quotes.
char DetectSeparator(std::string_view text) {
    int commas = 0, semicolons = 0;
    bool quoted = false;
    for (char c : text) {
        if (c == '"') quoted = !quoted;
        if (quoted) continue;
        if (c == '\r' || c == '\n') break;
        if (c == ',') ++commas;
        if (c == ';') ++semicolons;
    }
    return semicolons > commas ? ';' : ',';
}

bool IsContinuation(unsigned char c) { return (c & 0xC0) == 0x80; }

// The length of the valid UTF-8 sequence at `at`, or 0.
size_t Utf8SequenceLength(std::string_view text, size_t at) {
    const auto byte = [&](size_t k) { return static_cast<unsigned char>(text[at + k]); };
    const unsigned char lead = byte(0);
    size_t length = 0;
    unsigned char low = 0x80, high = 0xBF;  // the range of the second byte
    if (lead < 0x80) return 1;
    if (lead >= 0xC2 && lead <= 0xDF) length = 2;
    else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0) low = 0xA0;
        if (lead == 0xED) high = 0x9F;  // no surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0) low = 0x90;
        if (lead == 0xF4) high = 0x8F;
    } else {
        return 0;
    }
    if (at + length > text.size() || byte(1) < low || byte(1) > high) return 0;
    for (size_t k = 2; k < length; ++k)
        if (!IsContinuation(byte(k))) return 0;
    return length;
}

}  // namespace

std::string CsvRecordText(const std::vector<std::string>& fields, char separator) {
    std::string line;
    for (size_t i = 0; i < fields.size(); ++i) {
        if (i > 0) line += separator;
        const std::string& field = fields[i];
        if (!NeedsQuotes(field) && field.find(separator) == std::string::npos) {
            line += field;
            continue;
        }
        line += '"';
        for (char c : field) {
            if (c == '"') line += '"';
            line += c;
        }
        line += '"';
    }
    return line + "\r\n";
}

CsvTable ParseCsv(std::string_view text) {
    CsvTable table;
    if (text.substr(0, kByteOrderMark.size()) == kByteOrderMark) text.remove_prefix(kByteOrderMark.size());
    table.separator = DetectSeparator(text);
    const char separator = table.separator;
    int line = 1;
    size_t i = 0;
    while (i < text.size()) {
        CsvRecord record;
        record.line = line;
        std::string field;
        bool inQuotes = false, fieldQuoted = false, anyQuoted = false;
        while (i < text.size()) {
            const char c = text[i++];
            const bool lineEnd = c == '\n' || (c == '\r' && (i >= text.size() || text[i] != '\n'));
            if (inQuotes) {
                if (c == '"' && i < text.size() && text[i] == '"') {
                    field += '"';
                    ++i;
                } else if (c == '"') {
                    inQuotes = false;
                } else {
                    field += c;
                    if (lineEnd) ++line;
                }
            } else if (c == '"' && field.empty() && !fieldQuoted) {
                inQuotes = fieldQuoted = anyQuoted = true;
            } else if (c == separator) {
                record.fields.push_back(std::move(field));
                field.clear();
                fieldQuoted = false;
            } else if (c == '\r' || c == '\n') {
                if (c == '\r' && i < text.size() && text[i] == '\n') ++i;
                ++line;
                break;
            } else {
                field += c;
            }
        }
        if (inQuotes) table.problems.push_back(Words(MessageId::CsvProblemOnLine, record.line, MessageText(MessageId::CsvQuoteNotClosed)));
        record.fields.push_back(std::move(field));
        const bool blank = record.fields.size() == 1 && record.fields.front().empty() && !anyQuoted;
        if (!blank) table.records.push_back(std::move(record));
    }
    return table;
}

std::string SpreadsheetText(std::string_view text) {
    constexpr std::string_view kMarked = "=+-@\t\r'";
    if (!text.empty() && kMarked.find(text.front()) != std::string_view::npos) return "'" + std::string(text);
    return std::string(text);
}

std::string_view FromSpreadsheetText(std::string_view cell) {
    if (!cell.empty() && cell.front() == '\'') cell.remove_prefix(1);
    return cell;
}

std::string ValidUtf8(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size();) {
        if (const size_t length = Utf8SequenceLength(text, i); length > 0) {
            out.append(text.substr(i, length));
            i += length;
            continue;
        }
        const auto c = static_cast<unsigned char>(text[i++]);
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
    return out;
}

}  // namespace rp770
