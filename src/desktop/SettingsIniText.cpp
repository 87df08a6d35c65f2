#include "desktop/SettingsIniText.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace rp770::platform {

namespace {

constexpr const char* kUpperHex = "0123456789ABCDEF";
constexpr const char* kLowerHex = "0123456789abcdef";

bool IsHexDigit(uint32_t c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }
int HexValue(uint32_t c) { return c <= '9' ? static_cast<int>(c - '0') : static_cast<int>((c | 0x20) - 'a' + 10); }

bool EqualsNoCaseAscii(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if ((a[i] | 0x20) != (b[i] | 0x20)) return false;
    return true;
}

// The code points of UTF-8 text; a byte that starts no valid sequence
// stands for itself.
std::vector<uint32_t> CodePoints(std::string_view text) {
    std::vector<uint32_t> points;
    for (size_t i = 0; i < text.size();) {
        const auto b = static_cast<uint8_t>(text[i]);
        const int length = b < 0x80 ? 1 : (b >> 5) == 6 ? 2 : (b >> 4) == 14 ? 3 : (b >> 3) == 30 ? 4 : 0;
        bool valid = length > 0 && i + static_cast<size_t>(length) <= text.size();
        uint32_t point = length == 1 ? b : length == 2 ? (b & 0x1Fu) : length == 3 ? (b & 0x0Fu) : (b & 0x07u);
        for (int k = 1; valid && k < length; ++k) {
            const auto next = static_cast<uint8_t>(text[i + static_cast<size_t>(k)]);
            valid = (next & 0xC0) == 0x80;
            point = (point << 6) | (next & 0x3Fu);
        }
        if (!valid) {
            points.push_back(b);
            ++i;
            continue;
        }
        points.push_back(point);
        i += static_cast<size_t>(length);
    }
    return points;
}

void AppendUtf8(std::string& out, uint32_t point) {
    if (point < 0x80) {
        out += static_cast<char>(point);
    } else if (point < 0x800) {
        out += static_cast<char>(0xC0 | (point >> 6));
        out += static_cast<char>(0x80 | (point & 0x3F));
    } else if (point < 0x10000) {
        out += static_cast<char>(0xE0 | (point >> 12));
        out += static_cast<char>(0x80 | ((point >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (point & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (point >> 18));
        out += static_cast<char>(0x80 | ((point >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((point >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (point & 0x3F));
    }
}

std::string Hex(uint32_t value, const char* digits, int width) {
    std::string text;
    do {
        text.insert(text.begin(), digits[value & 0xF]);
        value >>= 4;
    } while (value != 0 || static_cast<int>(text.size()) < width);
    return text;
}

std::string_view Trimmed(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
}

// One logical line of the file: where it starts and ends (its line end
// included), and what it is.
struct IniLine {
    enum class Kind { Other, Section, Entry } kind = Kind::Other;
    size_t start = 0;
    size_t end = 0;
    std::string name;  // Section: the section as read ("" for General); Entry: the raw key
    std::string value;  // Entry: the raw value
};

// A logical line runs to a line end that no '\' escapes.
std::vector<IniLine> SplitLines(std::string_view text) {
    std::vector<IniLine> lines;
    size_t i = 0;
    while (i < text.size()) {
        IniLine line;
        line.start = i;
        std::string logical;
        while (i < text.size() && text[i] != '\n' && text[i] != '\r') {
            if (text[i] == '\\' && i + 1 < text.size()) {
                logical += text[i];
                logical += text[i + 1];
                // A line end escaped: "\r\n" counts as one.
                if (text[i + 1] == '\r' && i + 2 < text.size() && text[i + 2] == '\n') logical += text[++i + 1];
                i += 2;
                continue;
            }
            logical += text[i++];
        }
        if (i < text.size() && text[i] == '\r') ++i;
        if (i < text.size() && text[i] == '\n') ++i;
        line.end = i;
        const std::string_view content = Trimmed(logical);
        if (!content.empty() && content.front() == '[') {
            const size_t close = content.find(']');
            const std::string_view raw = content.substr(1, close == std::string_view::npos ? std::string_view::npos : close - 1);
            line.kind = IniLine::Kind::Section;
            if (EqualsNoCaseAscii(raw, "general"))
                line.name.clear();
            else if (EqualsNoCaseAscii(raw, "%general"))
                line.name = std::string(raw.substr(1));
            else
                line.name = UnescapeIniKey(raw);
        } else if (!content.empty() && content.front() != ';' && content.front() != '#') {
            const size_t equals = content.find('=');
            if (equals != std::string_view::npos) {
                line.kind = IniLine::Kind::Entry;
                line.name = std::string(Trimmed(content.substr(0, equals)));
                line.value = std::string(content.substr(equals + 1));
            }
        }
        lines.push_back(std::move(line));
    }
    return lines;
}

std::string PathOf(const std::string& section, const std::string& key) {
    return section.empty() ? key : section + "/" + key;
}

// What a value that begins with '@' stands for; nothing for no value.
std::optional<std::string> FromTypedText(const std::string& s) {
    if (s.rfind("@@", 0) == 0) return s.substr(1);
    if (!s.empty() && s[0] == '@' && s.back() == ')') {
        for (const char* prefix : {"@ByteArray(", "@String("}) {
            const std::string p(prefix);
            if (s.rfind(p, 0) == 0) return s.substr(p.size(), s.size() - p.size() - 1);
        }
        if (s == "@Invalid()") return std::nullopt;
    }
    return s;
}

}  // namespace

std::string EscapeIniKey(std::string_view key) {
    std::string out;
    for (const uint32_t c : CodePoints(key)) {
        if (c == '/') {
            out += '\\';
        } else if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' || c == '-' ||
                   c == '.') {
            out += static_cast<char>(c);
        } else if (c <= 0xFF) {
            out += '%' + Hex(c, kUpperHex, 2);
        } else if (c <= 0xFFFF) {
            out += "%U" + Hex(c, kUpperHex, 4);
        } else {  // as two UTF-16 halves
            const uint32_t v = c - 0x10000;
            out += "%U" + Hex(0xD800 + (v >> 10), kUpperHex, 4) + "%U" + Hex(0xDC00 + (v & 0x3FF), kUpperHex, 4);
        }
    }
    return out;
}

std::string UnescapeIniKey(std::string_view key) {
    std::string out;
    uint32_t highHalf = 0;  // a UTF-16 high surrogate waiting for its low half
    for (size_t i = 0; i < key.size();) {
        const char c = key[i];
        if (c == '\\') {
            out += '/';
            ++i;
            continue;
        }
        if (c != '%' || i + 1 == key.size()) {
            out += c;
            ++i;
            continue;
        }
        size_t first = i + 1;
        size_t digits = 2;
        if (key[first] == 'U') {
            ++first;
            digits = 4;
        }
        bool ok = first + digits <= key.size();
        uint32_t value = 0;
        for (size_t k = 0; ok && k < digits; ++k) {
            ok = IsHexDigit(static_cast<uint8_t>(key[first + k]));
            if (ok) value = value * 16 + static_cast<uint32_t>(HexValue(static_cast<uint8_t>(key[first + k])));
        }
        if (!ok) {
            out += '%';
            i = first;
            continue;
        }
        i = first + digits;
        if (value >= 0xD800 && value < 0xDC00) {
            highHalf = value;
            continue;
        }
        if (value >= 0xDC00 && value < 0xE000 && highHalf != 0) value = 0x10000 + ((highHalf - 0xD800) << 10) + (value - 0xDC00);
        highHalf = 0;
        AppendUtf8(out, value);
    }
    return out;
}

std::string EscapeIniValue(std::string_view value) {
    std::string text(value);
    if (!text.empty() && text[0] == '@') text.insert(text.begin(), '@');
    std::string out;
    bool needsQuotes = false;
    bool escapeNextIfDigit = false;
    for (const uint32_t c : CodePoints(text)) {
        if (c == ';' || c == ',' || c == '=') needsQuotes = true;
        if (escapeNextIfDigit && IsHexDigit(c)) {
            out += "\\x" + Hex(c, kLowerHex, 1);
            continue;
        }
        escapeNextIfDigit = false;
        switch (c) {
            case '\0': out += "\\0"; escapeNextIfDigit = true; break;
            case '\a': out += "\\a"; break;
            case '\b': out += "\\b"; break;
            case '\f': out += "\\f"; break;
            case '\n': out += "\\n"; break;
            case '\r': out += "\\r"; break;
            case '\t': out += "\\t"; break;
            case '\v': out += "\\v"; break;
            case '"': out += "\\\""; break;
            case '\\': out += "\\\\"; break;
            default:
                if (c <= 0x1F) {
                    out += "\\x" + Hex(c, kLowerHex, 1);
                    escapeNextIfDigit = true;
                } else {
                    AppendUtf8(out, c);
                }
        }
    }
    if (needsQuotes || (!out.empty() && (out.front() == ' ' || out.back() == ' '))) out = '"' + out + '"';
    return out;
}

std::string UnescapeIniValue(std::string_view raw) {
    std::vector<std::string> items;
    std::string current;
    bool list = false;
    bool quoted = false;       // inside quotes now
    bool wasQuoted = false;    // the current item had quotes: its spaces are its own
    size_t keep = 0;           // spaces before this length are kept
    size_t i = 0;
    const auto skipSpaces = [&] {
        while (i < raw.size() && (raw[i] == ' ' || raw[i] == '\t')) ++i;
    };
    const auto chop = [&] {
        if (wasQuoted) return;
        while (current.size() > keep && (current.back() == ' ' || current.back() == '\t')) current.pop_back();
    };
    skipSpaces();
    while (i < raw.size()) {
        const char c = raw[i];
        if (c == '\\') {
            if (++i >= raw.size()) break;
            const char e = raw[i++];
            static const std::string_view from = "abfnrtv\"?'\\";
            static const std::string_view to = "\a\b\f\n\r\t\v\"?'\\";
            if (const size_t k = from.find(e); k != std::string_view::npos) {
                current += to[k];
            } else if (e == 'x' && i < raw.size() && IsHexDigit(static_cast<uint8_t>(raw[i]))) {
                uint32_t value = 0;
                while (i < raw.size() && IsHexDigit(static_cast<uint8_t>(raw[i])))
                    value = (value << 4) + static_cast<uint32_t>(HexValue(static_cast<uint8_t>(raw[i++])));
                AppendUtf8(current, value & 0xFFFF);
            } else if (e >= '0' && e <= '7') {
                uint32_t value = static_cast<uint32_t>(e - '0');
                while (i < raw.size() && raw[i] >= '0' && raw[i] <= '7') value = (value << 3) + static_cast<uint32_t>(raw[i++] - '0');
                AppendUtf8(current, value & 0xFFFF);
            } else if (e == '\n' || e == '\r') {  // a continued line
                if (i < raw.size() && (raw[i] == '\n' || raw[i] == '\r') && raw[i] != e) ++i;
            }
            keep = current.size();
            continue;
        }
        if (c == '"') {
            ++i;
            quoted = !quoted;
            wasQuoted = true;
            keep = current.size();
            continue;
        }
        if (c == ',' && !quoted) {
            chop();
            list = true;
            items.push_back(current);
            current.clear();
            wasQuoted = false;
            keep = 0;
            ++i;
            skipSpaces();
            continue;
        }
        current += c;
        ++i;
    }
    chop();
    if (list) return "";  // a list is no text
    return FromTypedText(current).value_or("");
}

std::map<std::string, std::string> ReadSettingsIni(std::string_view text) {
    std::map<std::string, std::string> values;
    std::string section;
    for (const IniLine& line : SplitLines(text)) {
        if (line.kind == IniLine::Kind::Section) section = line.name;
        if (line.kind != IniLine::Kind::Entry) continue;
        // An '@Invalid()' value is as good as none.
        const std::string raw(Trimmed(line.value));
        const std::string path = PathOf(section, UnescapeIniKey(line.name));
        if (raw == "@Invalid()")
            values.erase(path);
        else
            values[path] = UnescapeIniValue(line.value);
    }
    return values;
}

std::string WithSettingsIniValue(std::string_view text, const std::string& section, const std::string& key,
                                 const std::string& value, std::string_view newline) {
    const std::string entry = EscapeIniKey(key) + "=" + EscapeIniValue(value);
    const std::vector<IniLine> lines = SplitLines(text);
    std::string current;                   // the section the lines are in
    std::optional<size_t> existing;        // the key's last line
    std::optional<size_t> afterLastEntry;  // where the section's last entry line ends
    for (size_t n = 0; n < lines.size(); ++n) {
        const IniLine& line = lines[n];
        if (line.kind == IniLine::Kind::Section) current = line.name;
        if (current != section) continue;
        if (line.kind == IniLine::Kind::Section) afterLastEntry = line.end;
        if (line.kind == IniLine::Kind::Entry) {
            afterLastEntry = line.end;
            if (UnescapeIniKey(line.name) == key) existing = n;
        }
    }
    std::string out(text);
    if (existing) {
        const IniLine& line = lines[*existing];
        // The line's own ending stays.
        size_t contentEnd = line.end;
        while (contentEnd > line.start && (text[contentEnd - 1] == '\n' || text[contentEnd - 1] == '\r')) --contentEnd;
        out.replace(line.start, contentEnd - line.start, entry);
        return out;
    }
    const bool endsInLine = out.empty() || out.back() == '\n' || out.back() == '\r';
    if (afterLastEntry) {
        std::string insert = entry + std::string(newline);
        // The section's last line had no line end (the end of the file).
        if (*afterLastEntry == out.size() && !endsInLine) insert = std::string(newline) + insert;
        out.insert(*afterLastEntry, insert);
        return out;
    }
    std::string header = section.empty()                              ? "General"
                         : EqualsNoCaseAscii(section, "general") ? "%" + section
                                                                      : EscapeIniKey(section);
    if (!endsInLine) out += newline;
    if (!out.empty()) out += newline;
    out += "[" + header + "]" + std::string(newline) + entry + std::string(newline);
    return out;
}

}  // namespace rp770::platform
