#include "core/Codecs.h"

#include <algorithm>
#include <cctype>
#include <cmath>

#include "core/ChannelTables.h"
#include "core/DecimalText.h"

namespace rp770 {

// ---- bits -----------------------------------------------------------------

uint8_t SetBit(uint8_t& byte, int value, int bit) {
    if (bit < 0 || bit > 7) return byte;
    if (value == 1)
        byte = static_cast<uint8_t>(byte | (1u << bit));
    else
        byte = static_cast<uint8_t>(byte & ~(1u << bit));
    return byte;
}

bool TestBit(uint8_t byte, int bit) {
    if (bit < 0 || bit > 7) return false;
    return (byte >> bit) & 1u;
}

bool TestBitPos(uint8_t byte, int position) {
    if (position < 1 || position > 8) return false;
    return TestBit(byte, position - 1);
}

bool TestMapBit(const MemoryImage& image, int address, int index) {
    return TestBitPos(image[address], 8 - index);
}

bool MapBit(const MemoryImage& image, int base, int k) {
    return TestMapBit(image, base + k / 8, k % 8);
}

void PackMap(MemoryImage& image, int base, const std::vector<bool>& flags) {
    const int count = static_cast<int>(flags.size());
    for (int byteIndex = 0; byteIndex * 8 < count; ++byteIndex) {
        uint8_t value = 0;
        for (int b = 0; b < 8; ++b) {
            const int k = byteIndex * 8 + b;
            if (k < count && flags[static_cast<size_t>(k)]) value |= static_cast<uint8_t>(0x80u >> b);
        }
        image[base + byteIndex] = value;
    }
}

// ---- frequencies ----------------------------------------------------------

namespace {
// Anything beyond this is nonsense for a radio; clamping keeps the integer
// arithmetic defined for any double a file may carry.
constexpr double kFreqClamp = 1e12;

int64_t FloorDiv(int64_t a, int64_t b) {
    int64_t q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0))) --q;
    return q;
}

double Clamped(double mhz) {
    if (std::isnan(mhz)) return 0;
    return std::clamp(mhz, -kFreqClamp, kFreqClamp);
}

}  // namespace

// Values too large for the exact arithmetic on 100 Hz units (only a hostile
// file holds them) show their own digits all the same.
std::string FreqDigits(double mhz, int fractionDigits) {
    if (!(mhz < kFreqClamp)) return FixedDecimal(mhz, fractionDigits);
    const int64_t units = FreqUnits(mhz);
    if (fractionDigits == 4) return FixedDecimal(units, 4, 3);
    return FixedDecimal((units + 5) / 10, 3, 3);  // thousandths, half up
}

int64_t FreqUnits(double mhz) { return std::llround(Clamped(mhz) * 10000.0); }

double UnitsToFreq(int64_t units) { return static_cast<double>(units) / 10000.0; }

void EncodeFreq(double mhz, uint8_t out[3]) {
    out[0] = out[1] = out[2] = 0;
    // Only a frequency strictly between 100 and 200 MHz has a code; anything
    // else is stored as "no frequency" rather than as digits the radio would
    // read as another frequency.
    if (!(mhz > 100.0) || !(mhz < 200.0)) return;
    const int64_t units = FreqUnits(mhz) - 1000000;  // 100 Hz steps above 100 MHz
    if (units <= 0 || units >= 1000000) return;
    int digits[6];
    int64_t rest = units;
    for (int i = 5; i >= 0; --i) {
        digits[i] = static_cast<int>(rest % 10);
        rest /= 10;
    }
    for (int i = 0; i < 3; ++i) out[i] = static_cast<uint8_t>(digits[2 * i] * 16 + digits[2 * i + 1]);
}

namespace {
std::string FreqText(const uint8_t bytes[3]) {
    const std::string a = HexDigits(bytes[0], 2), b = HexDigits(bytes[1], 2), c = HexDigits(bytes[2], 2);
    return a + "." + b + c;
}
}  // namespace

double DecodeFreq(const uint8_t bytes[3]) {
    // The leading numeric part of the text, an exponent included: hex digits
    // such as 12.3E05 read as a number far above any frequency.
    const auto number = ReadLeadingDecimal(FreqText(bytes), DecimalForm::WithExponent);
    return number ? number->value : 0;
}

double DecodeFreq(const MemoryImage& image, int address) {
    const uint8_t bytes[3] = {image[address], image[address + 1], image[address + 2]};
    return DecodeFreq(bytes);
}

double DecodeFreqMHz(const MemoryImage& image, int address) {
    const double value = 100.0 + DecodeFreq(image, address);
    if (!(value > 100.0 && value < 200.0)) return 0;
    // At most four decimals can come out of the code: give the exact decimal.
    return UnitsToFreq(FreqUnits(value));
}

std::string FormatFreq(double mhz) {
    if (!(mhz > 0)) return "---.---";
    return FreqDigits(mhz, 3);
}

std::string FormatTxFreq(double mhz, bool rxOnly) {
    if (rxOnly) return "---.---";
    return FormatFreq(mhz);
}

std::string FormatSnappedFreq(double mhz) {
    SnapFreq(mhz);
    if (!(mhz > 0)) return "---.----";
    return FreqDigits(mhz, 4);
}

double SnapFreq(double& mhz) {
    const int64_t n = static_cast<int64_t>(std::nearbyint(Clamped(mhz) * 10000.0));  // ties to even
    if (n % 50 == 0 || n % 125 == 0) return mhz;
    // Down to the 5 kHz raster, as an exact decimal.
    mhz = UnitsToFreq(FloorDiv(n, 50) * 50);
    return mhz;
}

bool IsStep25k(double mhz) {
    const int64_t n = static_cast<int64_t>(std::nearbyint(Clamped(mhz) * 10000.0));
    return n % 250 == 0;
}

// ---- ATIS -----------------------------------------------------------------

void EncodeAtis(MemoryImage& image, int address, std::string_view code, int flag) {
    if (TrimSpaces(code).empty()) {
        for (int k = 0; k < 5; ++k) image[address + k] = 0xFF;
        return;
    }
    const std::string padded = std::string(code) + std::string(10, ' ');
    auto nibble = [](char c) -> int { return std::isdigit(static_cast<unsigned char>(c)) ? c - '0' : 0xF; };
    for (int k = 0; k < 5; ++k) {
        int hi = nibble(padded[static_cast<size_t>(2 * k)]);
        int lo = nibble(padded[static_cast<size_t>(2 * k + 1)]);
        if (k == 4 && flag != 0) lo = 0;
        image[address + k] = static_cast<uint8_t>(hi * 16 + lo);
    }
}

std::string DecodeAtis(const MemoryImage& image, int address) {
    std::string code;
    for (int k = 0; k < 5; ++k) {
        const uint8_t b = image[address + k];
        for (int nib : {b >> 4, b & 0x0F}) {
            if (nib > 9) return code;
            code += static_cast<char>('0' + nib);
        }
    }
    return code;
}

// ---- display characters ---------------------------------------------------

namespace {
bool IsDisplayChar(char c) {
    const unsigned char u = static_cast<unsigned char>(c);
    if (u >= '0' && u <= '9') return true;
    if (u >= 'A' && u <= 'Z') return true;
    if (u >= 'a' && u <= 'z') return true;
    switch (c) {
        case ' ': case '-': case '+': case '(': case ')': case '.': case '*': case '/': case ',':
            return true;
        default:
            return false;
    }
}
}  // namespace

uint8_t CharToCode(std::string_view oneChar) {
    if (oneChar.size() != 1 || !IsDisplayChar(oneChar[0])) return 255;
    return static_cast<uint8_t>(oneChar[0]);
}

std::string CodeToChar(uint8_t code) {
    const char c = static_cast<char>(code);
    if (code < 128 && IsDisplayChar(c)) return std::string(1, c);
    return {};
}

std::string ReadText(const MemoryImage& image, int address, int count) {
    std::string text;
    for (int i = 0; i < count; ++i) {
        const std::string c = CodeToChar(image[address + i]);
        if (c.empty()) break;
        text += c;
    }
    while (!text.empty() && text.back() == ' ') text.pop_back();
    return text;
}

std::string ExpDisplayCell(const std::string& left, const std::string& right) {
    const std::string l = "  " + left, r = " " + right;
    return l.substr(l.size() - 2) + r.substr(r.size() - 1);
}

std::string ReceivedDisplayText(std::string_view text) {
    std::string received;
    for (const char c : text) {
        const uint8_t code = CharToCode(std::string_view(&c, 1));
        if (code == 255) break;
        received += static_cast<char>(code);
    }
    while (!received.empty() && received.back() == ' ') received.pop_back();
    return received;
}

std::string ReceivedExpDisplayCell(const std::string& left, const std::string& right) {
    const std::string cell = ExpDisplayCell(left, right);
    return PadRight(ReceivedDisplayText(std::string_view(cell).substr(0, 2)), 2) +
           PadRight(ReceivedDisplayText(std::string_view(cell).substr(2, 1)), 1);
}

// ---- text -----------------------------------------------------------------

std::string PadRight(std::string_view text, int n) {
    if (n <= 0) return {};
    std::string s(text.substr(0, static_cast<size_t>(n)));
    s.resize(static_cast<size_t>(n), ' ');
    return s;
}

std::string Field3(std::string_view text) { return text.empty() ? std::string("---") : PadRight(text, 3); }

std::string HexDigits(uint32_t value, int n) {
    static const char* digits = "0123456789ABCDEF";
    std::string hex;
    do {
        hex.insert(hex.begin(), digits[value & 0xF]);
        value >>= 4;
    } while (value != 0);
    const std::string padded = std::string(static_cast<size_t>(n), '0') + hex;
    return padded.substr(padded.size() - static_cast<size_t>(n));
}

std::string TrimSpaces(std::string_view text) {
    const size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    const size_t last = text.find_last_not_of(' ');
    return std::string(text.substr(first, last - first + 1));
}

// ASCII only: names and keys compare the same whatever the user's locale.
char UpperAscii(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }
namespace {
char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }
}  // namespace

std::string ToUpper(std::string_view text) {
    std::string s(text);
    for (char& c : s) c = UpperAscii(c);
    return s;
}

std::string ToLower(std::string_view text) {
    std::string s(text);
    for (char& c : s) c = LowerAscii(c);
    return s;
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (UpperAscii(a[i]) != UpperAscii(b[i])) return false;
    return true;
}

std::vector<std::string> SplitList(std::string_view text) {
    std::vector<std::string> items;
    size_t start = 0;
    while (true) {
        const size_t comma = text.find(',', start);
        items.push_back(TrimSpaces(text.substr(start, comma == std::string_view::npos ? std::string_view::npos
                                                                                      : comma - start)));
        if (comma == std::string_view::npos) break;
        start = comma + 1;
    }
    return items;
}

// ---- labels ---------------------------------------------------------------

std::string OnOffLabel(int value) { return value != 0 ? "On" : "Off"; }

std::string ResumeTimeLabel(int value) {
    switch (value) {
        case 0: return "--";
        case 1: return "1Sec";
        case 2: return "2Sec";
        case 3: return "3Sec";
        default: return {};
    }
}

std::string TxPoDisplayLabel(int value) {
    switch (value) {
        case 0: return "Lo Po Only";
        case 1: return "Lo Po on Changing CH";
        case 2: return "Last TX Po";
        default: return {};
    }
}

std::string WeatherAlertLabel(int value) {
    switch (value) {
        case 0: return "OFF";
        case 1: return "On Wx";
        case 2: return "On SCAN";
        case 3: return "On";
        default: return {};
    }
}

std::string EnableLabel(bool value) { return value ? "ENABLE" : "------"; }
std::string TxLabel(bool value) { return value ? "TX" : "--"; }
std::string LowLabel(bool value) { return value ? "LOW" : "---"; }
std::string UpLabel(bool value) { return value ? "UP" : "--"; }
std::string DupLabel(bool value) { return value ? "DUP" : "---"; }
std::string MemLabel(bool value) { return value ? "MEM" : "---"; }

std::string ChannelLabel(int64_t code) {
    if (code < 0) return "Off";
    if (code < kPlanSlots) return BaseChannels()[static_cast<size_t>(code)].name;
    if (code < 280) return "EXP" + std::to_string(code - 239);
    return "Off";
}


}  // namespace rp770
