// global.ini from anyone: the INI value reader over any text, the list of
// offered models and their feature flags.
#include <algorithm>
#include <cctype>
#include <cstdint>
#include <string>

#include "files/IniValue.h"
#include "files/ModelList.h"
#include "support/FuzzCheck.h"
#include "support/ScratchFile.h"

using namespace rp770;
using namespace rp770::fuzz;

namespace {

std::string SwapCase(std::string text) {
    for (char& c : text) {
        const unsigned char u = static_cast<unsigned char>(c);
        if (u < 0x80) c = static_cast<char>(std::isupper(u) ? std::tolower(u) : std::toupper(u));
    }
    return text;
}

// The first section name and the first key of the text, so that the
// questions follow what the input holds.
std::pair<std::string, std::string> FirstSectionAndKey(const std::string& text) {
    std::string section, key;
    const size_t open = text.find('[');
    if (open != std::string::npos) {
        const size_t close = text.find(']', open);
        if (close != std::string::npos) section = text.substr(open + 1, std::min<size_t>(close - open - 1, 64));
        const size_t lineEnd = text.find_first_of("\r\n", open);
        if (lineEnd != std::string::npos) {
            const size_t eq = text.find('=', lineEnd);
            if (eq != std::string::npos) {
                const size_t start = text.find_last_of("\r\n", eq);
                key = text.substr(start + 1, std::min<size_t>(eq - start - 1, 64));
            }
        }
    }
    return {section, key};
}

std::string CheckedValue(const std::string& text, const std::string& section, const std::string& key) {
    std::string value = ReadIniValueFromText(text, section, key);
    FUZZ_CHECK(value.size() <= kIniValueMaxLength, "an INI value longer than the reader allows");
    FUZZ_CHECK(value.find('\0') == std::string::npos, "an INI value holds a NUL");
    FUZZ_CHECK(value.find_first_of("\r\n") == std::string::npos, "an INI value runs past its line");
    return value;
}

// The same value from the file, in any case of the names, and with more
// text after it.
void CheckLookup(const std::string& text, const std::string& section, const std::string& key) {
    const std::string value = CheckedValue(text, section, key);
    FUZZ_CHECK(ReadIniValueFromText(text, SwapCase(section), SwapCase(key)) == value,
               "sections and keys must match without regard to case");
    // A section of another name added at the end changes nothing.
    if (section.find('\x01') == std::string::npos)
        FUZZ_CHECK(ReadIniValueFromText(text + "\r\n[\x01other]\r\n" + key + "=changed\r\n", section, key) == value,
                   "a section of another name changed a value");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
    const std::string text(reinterpret_cast<const char*>(bytes), size);
    MemoryProgramData program;
    program.Add("global.ini", text);

    for (int n = 1; n <= kModelSlots; ++n)
        for (const char* key : {"use", "atis", "wx", "wa"}) CheckedValue(text, "model" + std::to_string(n), key);
    CheckLookup(text, "model1", "use");
    const auto [section, key] = FirstSectionAndKey(text);
    CheckLookup(text, section, key);

    const std::vector<int> offered = OfferedModels(program);
    FUZZ_CHECK(std::is_sorted(offered.begin(), offered.end()) &&
                   std::adjacent_find(offered.begin(), offered.end()) == offered.end(),
               "offered models out of order or repeated");
    for (int n : offered) {
        FUZZ_CHECK(n >= 1 && n <= kModelSlots, "an offered model outside 1-10");
        for (int m = 1; m <= n; ++m)
            FUZZ_CHECK(!ReadIniValueFromText(text, "model" + std::to_string(m), "use").empty(),
                       "a model offered after the scan should have ended");
    }
    for (int n = 1; n <= kModelSlots; ++n) ReadModelFlags(program, n);
    return 0;
}
