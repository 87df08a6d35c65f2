#pragma once
// Data sets for the file tests: factory defaults with a destination's
// definition file laid over them, as a new data set starts.

#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <string>

#include "core/Codecs.h"
#include "core/MemoryImage.h"
#include "desktop/DiskFiles.h"
#include "files/ModelDefinitions.h"
#include "files/TestFolder.h"

namespace rp770::testing {

inline DataSet FactoryDataSet(bool atis = true, bool wx = true, const std::string& destination = "USA") {
    DataSet data;
    data.modelNumber = 1;
    data.flags = ModelFlags{atis, wx, true};
    ResetDataSet(data);
    const std::string name = destination + "_013E.ini";
    EXPECT_EQ(FileReadIni(FolderProgramData(ShippedDataFolder()), name, data, NoErrorLog()), DefinitionLoad::Loaded) << name;
    return data;
}

// Every field the settings text file carries, set to something other than
// the factory value.
inline void Scramble(DataSet& data, unsigned seed) {
    std::mt19937 random(seed);
    auto flag = [&] { return (random() & 1) != 0; };
    auto pick = [&](int lo, int hi) { return lo + static_cast<int>(random() % static_cast<unsigned>(hi - lo + 1)); };
    const std::string displayChars = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcz-+()*/,.";
    auto display = [&](int n) {
        std::string s;
        for (int i = 0; i < n; ++i) s += displayChars[random() % displayChars.size()];
        return s;
    };
    for (auto& g : data.groups) {
        g.Usable = flag();
        g.PriorityChannel = pick(0, 255);
    }
    CommonSetup& c = data.common;
    c.TxPoDisplay = static_cast<int16_t>(pick(0, 2));
    c.Scan = flag();
    c.ResumeTime = static_cast<int16_t>(pick(-3, 3));
    c.PttScanClear = flag();
    c.DualWatch = flag();
    c.OffsetTime = static_cast<int16_t>(pick(-30000, 30000));
    c.TimeDisplay = flag();
    c.WeatherAlert = static_cast<int16_t>(pick(0, 3));
    for (auto& g : data.atis.AtisGroups) g = flag();
    data.atis.AtisCode = std::to_string(pick(100000000, 999999999));
    for (int p = 0; p < kPlanCount; ++p) {
        for (ChannelRecord& r : data.plan(p)) {
            r.Enable = flag();
            r.LowPower = flag();
            r.PowUp = flag();
            r.Duplex = r.DuplexAllowed && flag();
            r.TxEnable = flag();
            r.DispayA = flag();
            r.ScanMemory = flag();
            r.ChTag = (flag() ? "  " : "") + display(pick(1, 8));  // trailing spaces would be lost
        }
    }
    for (ChannelRecord& r : data.wx) {
        r.Enable = flag();
        r.ScanMemory = flag();
        r.ChTag = display(pick(1, 12));
    }
    for (int n = 1; n <= kExpChannels; ++n) {
        ChannelRecord& r = data.exp[static_cast<size_t>(n)];
        r.Enable = flag();
        r.CHDisplayL = display(2);
        r.CHDisplayR = display(1);
        r.Rxfreq = flag() ? 0.0 : UnitsToFreq(pick(1000001, 1999999));
        r.Txfreq = UnitsToFreq(pick(1000001, 1999999));
        r.LowPower = flag();
        r.PowUp = flag();
        r.ScanMemory = flag();
        r.ChTag = " tag " + std::to_string(n);
    }
}

}  // namespace rp770::testing
