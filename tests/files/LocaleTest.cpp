// Numbers never depend on the locale: the radio's frequency codes, the
// frequency texts, the settings file and its values read and write the same
// under a comma-decimal locale as under C. The whole suite also runs under
// one (make test); these round trips fail fast in any run, and the source
// check keeps the locale-aware C conversions from coming back.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <string>
#include <vector>

#include "core/Codecs.h"
#include "core/MemoryImage.h"
#include "files/DatReader.h"
#include "files/DatWriter.h"
#include "files/SectionTable.h"
#include "files/TestData.h"
#include "files/ValueText.h"
#include "support/CommaLocale.h"

namespace rp770 {
namespace {

// Everything the program makes of a data set whose EXP channel 1 is at
// 157.0125 / 161.6125 MHz: its image, its settings file, and the values and
// texts read back from them.
struct NumberTrip {
    std::string image, settings, values;
};

NumberTrip RoundTrip() {
    DataSet data = testing::FactoryDataSet();
    data.exp[1].Rxfreq = 157.0125;
    data.exp[1].Txfreq = 161.6125;
    EncodeImage(data);
    DecodeImage(data);  // back from the BCD code
    NumberTrip trip{std::string(data.image.bytes.begin(), data.image.bytes.end()), FormatSettingsText(data), ""};
    DataSet reread = testing::FactoryDataSet();
    ApplySections(SectionTable::Parse(trip.settings), reread);
    trip.values = FormatFreq(reread.exp[1].Rxfreq) + " " + FormatSnappedFreq(reread.exp[1].Txfreq) + " " +
                  FormatFrequency(LeadingValue("1.5e1") + ToDouble("0.25").value_or(0) + ToInt16("2.5").value_or(0));
    return trip;
}

TEST(CommaLocale, NumbersReadAndWriteAsInTheCLocale) {
    const NumberTrip inC = RoundTrip();
    EXPECT_NE(inC.settings.find("Rxfreq=157.0125\r\nTxfreq=161.6125\r\n"), std::string::npos);
    EXPECT_EQ(inC.values, "157.013 161.6125 17.25");

    testing::CommaLocaleScope comma;
    RP770_REQUIRE_COMMA_LOCALE(comma);
    const NumberTrip inComma = RoundTrip();
    EXPECT_TRUE(inComma.image == inC.image);
    EXPECT_TRUE(inComma.settings == inC.settings);
    EXPECT_EQ(inComma.values, inC.values);
}

// Conversions that follow the user's locale: the C library's number readers
// and float printing, string streams, Qt's locale-aware ones, and the C
// library's error texts (the system's reasons are given in English).
TEST(LocaleFreeSource, NoLocaleDependentConversionComesBack) {
    const std::regex banned(
        R"(\b(strto(d|f|ld)|atof|v?s?f?scanf|sto(d|f|ld)|toDouble|toFloat|setprecision|(i|o)?stringstream|QLocale|strerror)\b)"
        R"(|printf\s*\(.*%[-+ #0-9.*]*[aAeEfFgG])");
    std::vector<std::string> found;
    for (const char* folder : {"src", "fuzz", "bench", "docs"}) {
        for (const auto& entry : std::filesystem::recursive_directory_iterator(std::filesystem::path(RP770_SOURCE_DIR) / folder)) {
            const std::string ext = entry.path().extension().string();
            if (ext != ".cpp" && ext != ".h") continue;
            std::ifstream in(entry.path());
            std::string line;
            for (int n = 1; std::getline(in, line); ++n) {
                const std::string code = line.substr(0, line.find("//"));
                if (std::regex_search(code, banned)) found.push_back(entry.path().string() + ":" + std::to_string(n) + ": " + line);
            }
        }
    }
    EXPECT_TRUE(found.empty()) << ::testing::PrintToString(found);
}

}  // namespace
}  // namespace rp770
