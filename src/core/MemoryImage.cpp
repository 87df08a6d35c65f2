#include "core/MemoryImage.h"

#include <vector>

#include "core/ChannelTables.h"
#include "core/Codecs.h"

namespace rp770 {

namespace {

const char* const kGroupNames[kGroupCount] = {"USA", "INT", "CAN", "EXP"};

void DecodePlan(DataSet& data, int plan) {
    PlanArray& records = data.plan(plan);
    const MemoryImage& image = data.image;
    for (int slot = 0; slot < kPlanSlots; ++slot) {
        ChannelRecord& r = records[static_cast<size_t>(slot)];
        r.Enable = MapBit(image, addr::EnableMap[plan], slot);
        r.ScanMemory = MapBit(image, addr::ScanMap[plan], slot);
    }
    for (int slot = 0; slot < kPlanSlots; ++slot) {
        ChannelRecord& r = records[static_cast<size_t>(slot)];
        const uint8_t a = image[addr::Attributes[plan] + slot];
        r.TxEnable = a & attr::TxEnable;
        r.Duplex = a & attr::Duplex;
        r.PowUp = a & attr::PowUp;
        r.LowPower = !(a & attr::HighPower);
        r.DispayA = a & attr::DispayA;
    }
}

void EncodePlan(DataSet& data, int plan) {
    const PlanArray& records = data.plan(plan);
    MemoryImage& image = data.image;
    std::vector<bool> enable, scan;
    for (const ChannelRecord& r : records) {
        enable.push_back(r.Enable);
        scan.push_back(r.ScanMemory);
    }
    PackMap(image, addr::EnableMap[plan], enable);
    PackMap(image, addr::ScanMap[plan], scan);
    for (int slot = 0; slot < kPlanSlots; ++slot) {
        const ChannelRecord& r = records[static_cast<size_t>(slot)];
        uint8_t a = image[addr::Attributes[plan] + slot];
        a &= 0x0E;  // bits 3-1 are the radio's own
        if (r.TxEnable) a |= attr::TxEnable;
        if (r.DuplexAllowed && r.Duplex) a |= attr::Duplex;
        if (r.PowUp) a |= attr::PowUp;
        if (!r.LowPower) a |= attr::HighPower;
        if (r.DispayA) a |= attr::DispayA;
        image[addr::Attributes[plan] + slot] = a;
    }
}

bool AnyEnabled(const auto& records, size_t first) {
    for (size_t i = first; i < records.size(); ++i)
        if (records[i].Enable) return true;
    return false;
}

}  // namespace

bool CheckModelCode(int modelNumber, uint16_t first, uint16_t last) {
    return first == last && modelNumber == 1 && first == kModelCode318;
}

bool ModelCodesAccepted(int modelNumber, const uint8_t* bytes, int lastAddress) {
    const auto word = [bytes](int at) {
        return static_cast<uint16_t>(bytes[static_cast<size_t>(at)] * 256 + bytes[static_cast<size_t>(at) + 1]);
    };
    return lastAddress >= 1 && CheckModelCode(modelNumber, word(addr::ModelCode), word(lastAddress - 1));
}

void DecodeGroupsSetupAtis(DataSet& data) {
    const MemoryImage& image = data.image;
    for (int g = 0; g < kGroupCount; ++g) {
        ChannelGroup& group = data.groups[static_cast<size_t>(g)];
        group.Usable = TestBit(image[addr::UsableGroups], 7 - g);
        if (g < kPlanCount) group.PriorityChannel = image[addr::PriorityChannel[g]];
        group.Name = kGroupNames[g];
    }
    CommonSetup& c = data.common;
    c.TxPoDisplay = image[addr::TxPoDisplay];
    c.Scan = TestBit(image[addr::Scan], 0);
    c.PttScanClear = image[addr::PttScanClear] != 0;
    c.ResumeTime = image[addr::ResumeTime];
    c.DualWatch = image[addr::DualWatch] != 0;
    c.WeatherAlert = image[addr::WeatherAlert];
    for (int i = 0; i < 4; ++i) data.atis.AtisGroups[static_cast<size_t>(i)] = TestBit(image[addr::AtisGroups], 7 - i);
    data.atis.AtisCode = DecodeAtis(image, addr::AtisCode);
}

void DecodeExp(DataSet& data) {
    const MemoryImage& image = data.image;
    for (int n = 1; n <= kExpChannels; ++n) {
        ChannelRecord& r = data.exp[static_cast<size_t>(n)];
        r.Enable = MapBit(image, addr::ExpEnableMap, n - 1);
        r.ScanMemory = MapBit(image, addr::ExpScanMap, n - 1);
    }
    for (int n = 1; n <= kExpChannels; ++n) {
        ChannelRecord& r = data.exp[static_cast<size_t>(n)];
        const int base = addr::ExpRecord(n);
        const uint8_t a = image[base];
        r.TxEnable = a & attr::TxEnable;
        r.PowUp = a & attr::PowUp;
        r.LowPower = !(a & attr::HighPower);
        r.CHDisplayL = ReadText(image, base + 1, 2);
        r.CHDisplayR = ReadText(image, base + 3, 1);
        r.Rxfreq = DecodeFreqMHz(image, base + 4);
        r.Txfreq = DecodeFreqMHz(image, base + 7);
    }
}

void InitImage(DataSet& data) {
    if (data.modelNumber == 1) {
        MemoryImage& image = data.image;
        image.bytes.fill(0xFF);
        image.lastAddress = kLastAddress1K;
        for (int a : {addr::Spare004, addr::TxPoDisplay, addr::Spare00B, addr::CurrentPlan, addr::OperatingMode,
                      addr::CurrentWxChannel, addr::Spare014, addr::CurrentChannel, addr::LastChannel,
                      addr::UsableGroups})
            image[a] = 0x00;
        for (int a : addr::PriorityChannel) image[a] = 0x20;
        image[addr::ResumeTime] = 0x03;
        for (int i = 0; i < addr::MapSpare; ++i) image[addr::ExpEnableMap + i] = image[addr::ExpScanMap + i] = 0x00;
        image[addr::AtisGroups] = 0xFF;
        for (int i = 0; i < addr::AtisCodeLength; ++i) image[addr::AtisCode + i] = 0xFF;
        for (int at : {addr::ModelCode, image.lastAddress - 1}) {
            image[at] = kModelCode318 >> 8;
            image[at + 1] = kModelCode318 & 0xFF;
        }
    }
    DecodeGroupsSetupAtis(data);
}

void DecodeImage(DataSet& data) {
    DecodeGroupsSetupAtis(data);
    for (int p = 0; p < kPlanCount; ++p) DecodePlan(data, p);
    if (data.flags.wx) {
        for (size_t k = 0; k < data.wx.size() && k < 16; ++k) {
            data.wx[k].Enable = MapBit(data.image, addr::WxEnableMap, static_cast<int>(k));
            data.wx[k].ScanMemory = MapBit(data.image, addr::WxScanMap, static_cast<int>(k));
        }
    }
    DecodeExp(data);
}

void EncodeImage(DataSet& data) {
    MemoryImage& image = data.image;
    if (data.modelNumber == 1) {
        for (int p = 0; p < kPlanCount; ++p)
            if (!AnyEnabled(data.plan(p), 0)) data.groups[static_cast<size_t>(p)].Usable = false;
        if (!AnyEnabled(data.exp, 1)) data.groups[GroupEXP].Usable = false;
    }
    uint8_t usable = image[addr::UsableGroups] & 0x0F;
    for (int g = 0; g < kGroupCount; ++g)
        if (data.groups[static_cast<size_t>(g)].Usable) usable |= static_cast<uint8_t>(0x80 >> g);
    image[addr::UsableGroups] = usable;
    for (int p = 0; p < kPlanCount; ++p)
        image[addr::PriorityChannel[p]] = static_cast<uint8_t>(data.groups[static_cast<size_t>(p)].PriorityChannel & 0xFF);

    const CommonSetup& c = data.common;
    image[addr::TxPoDisplay] = static_cast<uint8_t>(c.TxPoDisplay & 0xFF);
    image[addr::Scan] = static_cast<uint8_t>((image[addr::Scan] & 0xFE) | (c.Scan ? 1 : 0));
    image[addr::ResumeTime] = static_cast<uint8_t>(c.ResumeTime & 0xFF);
    image[addr::PttScanClear] = c.PttScanClear ? 1 : 0;
    image[addr::DualWatch] = c.DualWatch ? 1 : 0;
    image[addr::WeatherAlert] = static_cast<uint8_t>(c.WeatherAlert & 0xFF);

    uint8_t atisGroups = image[addr::AtisGroups] & 0x0F;
    for (int i = 0; i < 4; ++i)
        if (data.atis.AtisGroups[static_cast<size_t>(i)]) atisGroups |= static_cast<uint8_t>(0x80 >> i);
    image[addr::AtisGroups] = atisGroups;
    EncodeAtis(image, addr::AtisCode, data.atis.AtisCode, 0);

    for (int p = 0; p < kPlanCount; ++p) EncodePlan(data, p);

    if (data.flags.wx) {
        std::vector<bool> enable, scan;
        for (size_t k = 0; k < data.wx.size() && k < 16; ++k) {
            enable.push_back(data.wx[k].Enable);
            scan.push_back(data.wx[k].ScanMemory);
        }
        PackMap(image, addr::WxEnableMap, enable);
        PackMap(image, addr::WxScanMap, scan);
    }

    std::vector<bool> enable, scan;
    for (int n = 1; n <= kExpChannels; ++n) {
        enable.push_back(data.exp[static_cast<size_t>(n)].Enable);
        scan.push_back(data.exp[static_cast<size_t>(n)].ScanMemory);
    }
    PackMap(image, addr::ExpEnableMap, enable);
    PackMap(image, addr::ExpScanMap, scan);
    for (int n = 1; n <= kExpChannels; ++n) {
        const ChannelRecord& r = data.exp[static_cast<size_t>(n)];
        const int base = addr::ExpRecord(n);
        uint8_t a = image[base] & 0x4F;  // bits 6 and 3-0 are the radio's own
        if (r.TxEnable) a |= attr::TxEnable;
        if (r.PowUp) a |= attr::PowUp;
        if (!r.LowPower) a |= attr::HighPower;
        image[base] = a;
        const std::string display = ExpDisplayCell(r.CHDisplayL, r.CHDisplayR);
        for (int i = 0; i < 3; ++i) image[base + 1 + i] = CharToCode(std::string_view(display).substr(static_cast<size_t>(i), 1));
        EncodeFreq(r.Rxfreq, &image.bytes[static_cast<size_t>(base + 4)]);
        EncodeFreq(r.Txfreq, &image.bytes[static_cast<size_t>(base + 7)]);
    }
}

bool IsChannelValid(const MemoryImage& image, int code, int plan) {
    if (code >= 0 && code <= 113) {
        if (plan < 0 || plan >= kPlanCount) return false;
        return TestBit(image[addr::UsableGroups], 7 - plan) && MapBit(image, addr::EnableMap[plan], code);
    }
    if (code >= 160 && code <= 198) {
        const int n = code - 159;  // 1..39; only 1..20 can be set, the rest read the bytes beyond
        return MapBit(image, addr::ExpEnableMap, n);
    }
    return false;
}

bool IsWxChannelValid(const MemoryImage& image, int wx) {
    if (wx < 0 || wx > 9) return true;
    return MapBit(image, addr::WxEnableMap, wx);
}

void FixStartChannel(DataSet& data) {
    MemoryImage& image = data.image;
    const uint8_t mode = image[addr::OperatingMode];
    if (mode == 0) {
        static const int order[3][3] = {{PlanUSA, PlanINT, PlanCAN}, {PlanINT, PlanCAN, PlanUSA}, {PlanCAN, PlanUSA, PlanINT}};
        const int current = image[addr::CurrentPlan];
        if (current >= 0 && current <= 2) {
            for (int p : order[current]) {
                if (TestBit(image[addr::UsableGroups], 7 - p)) {
                    image[addr::CurrentPlan] = static_cast<uint8_t>(p);
                    break;
                }
            }
        }
        const int plan = image[addr::CurrentPlan];
        if (plan >= 0 && plan <= 2) {
            int channel = -1;
            if (IsChannelValid(image, image[addr::CurrentChannel], plan)) {
                channel = image[addr::CurrentChannel];
            } else {
                const PlanArray& records = data.plan(plan);
                for (int slot = 0; slot < kPlanSlots && channel < 0; ++slot)
                    if (records[static_cast<size_t>(slot)].Enable) channel = slot;
                for (int n = 1; n <= kExpChannels && channel < 0; ++n)
                    if (data.exp[static_cast<size_t>(n)].Enable) channel = n;
            }
            if (channel >= 0) image[addr::CurrentChannel] = image[addr::LastChannel] = static_cast<uint8_t>(channel);
        }
    } else if (mode == 1 && data.flags.wx) {
        int wx = -1;
        if (IsWxChannelValid(image, image[addr::CurrentWxChannel])) {
            wx = image[addr::CurrentWxChannel];
        } else {
            for (size_t k = 0; k < data.wx.size() && wx < 0; ++k)
                if (data.wx[k].Enable) wx = static_cast<int>(k);
        }
        if (wx >= 0) image[addr::CurrentWxChannel] = image[addr::CurrentChannel] = static_cast<uint8_t>(wx);
    }
    for (int p = 0; p < kPlanCount; ++p)
        for (int i = 0; i < addr::ChannelListLength; ++i) {
            uint8_t& entry = image.bytes[static_cast<size_t>(addr::ChannelList[p] + i)];
            if (!IsChannelValid(image, entry, p)) entry = 0xFF;
        }
}

void ResetDataSet(DataSet& data) {
    for (int p = 0; p < kPlanCount; ++p) ApplyPlanTable(p, data.plan(p));
    data.wx = BuildWxChannels(false);
    for (auto& r : data.exp) r = ChannelRecord{};
    for (int n = 1; n <= kExpChannels; ++n) data.exp[static_cast<size_t>(n)].Position = static_cast<int16_t>(n);
    for (int g = 0; g < kGroupCount; ++g) data.groups[static_cast<size_t>(g)] = ChannelGroup{};
    InitImage(data);
    DecodeExp(data);
    EncodeImage(data);
}

}  // namespace rp770
