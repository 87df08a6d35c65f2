#pragma once
// Data sets the report tests share.

#include <string>
#include <vector>

#include "core/MemoryImage.h"
#include "core/Model.h"
#include "data/FactoryImage.h"

namespace rp770::testing {

inline std::string Sp(int n) { return std::string(static_cast<size_t>(n), ' '); }

// The report split at CR LF; a report never ends in CR LF, so the last entry
// is its last line.
inline std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (true) {
        const size_t crlf = text.find("\r\n", start);
        lines.push_back(text.substr(start, crlf == std::string::npos ? std::string::npos : crlf - start));
        if (crlf == std::string::npos) break;
        start = crlf + 2;
    }
    return lines;
}

// The factory data of the USA destination, as loading it gives them.
inline DataSet FactoryData(ModelFlags flags) {
    DataSet data;
    data.flags = flags;
    ResetDataSet(data);
    data.image = MakeFactoryImage(PlanUSA);
    DecodeImage(data);
    return data;
}

// A small hand-made data set: few channels, every value set here.
inline DataSet SmallData(ModelFlags flags) {
    DataSet data;
    data.flags = flags;
    ResetDataSet(data);
    for (auto& plan : data.plans)
        for (auto& r : plan) {
            r.Enable = r.LowPower = r.PowUp = r.Duplex = r.TxEnable = r.ScanMemory = r.RxOnly = false;
        }
    data.groups[PlanUSA].Usable = true;
    data.groups[PlanINT].Usable = false;
    data.groups[PlanCAN].Usable = true;
    data.groups[GroupEXP].Usable = false;
    data.groups[PlanUSA].PriorityChannel = 30;  // 16
    data.groups[PlanINT].PriorityChannel = 0;   // 01
    data.groups[PlanCAN].PriorityChannel = 245; // EXP6
    data.common.TxPoDisplay = 1;
    data.common.Scan = true;
    data.common.ResumeTime = 2;
    data.common.PttScanClear = false;
    data.common.DualWatch = true;
    data.common.WeatherAlert = 1;
    data.atis.AtisGroups = {true, false, true, false};
    data.atis.AtisCode = "123456789";

    // USA: 01A low power, receive and transmit only; 16 the usual calling set-up.
    auto& usa = data.plan(PlanUSA);
    usa[1].Enable = true;
    usa[1].LowPower = true;
    usa[30].Enable = usa[30].TxEnable = usa[30].PowUp = usa[30].ScanMemory = true;
    // INT: nothing enabled.
    // CAN: 01 duplex, 15 receive only, 88A with everything on.
    auto& can = data.plan(PlanCAN);
    can[0].Enable = can[0].TxEnable = can[0].Duplex = true;
    can[28].Enable = can[28].RxOnly = true;
    can[113].Enable = can[113].TxEnable = can[113].LowPower = can[113].PowUp = can[113].ScanMemory = true;

    for (int k = 0; k < kWxChannels; ++k) {
        auto& w = data.wx[static_cast<size_t>(k)];
        w.Enable = k != 9;
        w.ScanMemory = k == 0 || k == 9;
    }
    for (int n = 1; n <= kExpChannels; ++n) {
        auto& e = data.exp[static_cast<size_t>(n)];
        e.Enable = e.LowPower = e.PowUp = e.ScanMemory = false;
        e.CHDisplayL = e.CHDisplayR = "";
        e.Rxfreq = e.Txfreq = 0;
    }
    auto& e1 = data.exp[1];
    e1.Enable = e1.LowPower = e1.ScanMemory = true;
    e1.CHDisplayL = "7";
    e1.Rxfreq = e1.Txfreq = 156.8;
    auto& e2 = data.exp[2];
    e2.PowUp = true;
    e2.CHDisplayL = "AB";
    e2.CHDisplayR = "C";
    e2.Rxfreq = 156.0130;  // off both rasters
    e2.Txfreq = 156.0125;  // on the 12.5 kHz raster
    return data;
}

}  // namespace rp770::testing
