#pragma once
// The in-memory model of the radio's settings and the memory image it is
// encoded into. Plain data; the conversions live in MemoryImage.h.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace rp770 {

inline constexpr int kImageBufferSize = 8192;   // the buffer always holds 8 KB
inline constexpr int32_t kLastAddress1K = 1023; // the MR318's 1 KB memory
inline constexpr int kPlanSlots = 114;          // base channel slots 0-113
inline constexpr int kWxChannels = 10;
inline constexpr int kExpChannels = 20;
inline constexpr uint16_t kModelCode318 = 0x013E;

// Channel plans, in the order the image and the groups use them.
enum Plan : int { PlanUSA = 0, PlanINT = 1, PlanCAN = 2 };
inline constexpr int kPlanCount = 3;
// Channel groups: the three plans, then EXP.
inline constexpr int GroupEXP = 3;
inline constexpr int kGroupCount = 4;

struct MemoryImage {
    std::array<uint8_t, kImageBufferSize> bytes;
    int32_t lastAddress = kLastAddress1K;  // `ImageLastAddress`

    MemoryImage() { bytes.fill(0xFF); }
    uint8_t& operator[](int address) { return bytes[static_cast<size_t>(address)]; }
    uint8_t operator[](int address) const { return bytes[static_cast<size_t>(address)]; }
    int size() const { return lastAddress + 1; }  // bytes in use
    bool operator==(const MemoryImage&) const = default;
};

struct ChannelRecord {
    int16_t Position = 0;
    bool Enable = false;
    bool LowPower = false;
    bool PowUp = false;
    bool Duplex = false;
    bool DuplexAllowed = false;
    bool TxEnable = false;
    bool DispayA = false;
    bool ScanMemory = false;
    std::string ChTag;
    bool RxOnly = false;
    std::string CHDisplayL;  // EXP only
    std::string CHDisplayR;  // EXP only
    double Txfreq = 0;       // EXP only, MHz, 0 = none
    double Rxfreq = 0;       // EXP only, MHz, 0 = none
    bool operator==(const ChannelRecord&) const = default;
};

struct ChannelGroup {
    bool Usable = false;
    int32_t PriorityChannel = 0;  // a channel code; unused for EXP
    std::string Name;
    bool operator==(const ChannelGroup&) const = default;
};

struct CommonSetup {
    int16_t TxPoDisplay = 0;
    bool Scan = false;
    bool TimeDisplay = false;  // carried by the .dat file only
    int16_t ResumeTime = 0;
    bool PttScanClear = false;
    bool DualWatch = false;
    int16_t OffsetTime = 0;    // carried by the .dat file only
    int16_t WeatherAlert = 0;
    bool operator==(const CommonSetup&) const = default;
};

struct AtisSettings {
    std::array<bool, 4> AtisGroups{};  // index 0 = bit 7 of 0x01A
    std::string AtisCode;
    bool operator==(const AtisSettings&) const = default;
};

// What the current radio model offers (the "atis", "wx" and "wa" flags).
struct ModelFlags {
    bool atis = false;
    bool wx = false;
    bool wa = false;
    bool operator==(const ModelFlags&) const = default;
};

using PlanArray = std::array<ChannelRecord, kPlanSlots>;

// One whole data set: the memory image and the typed model, together with
// the radio model they belong to.
struct DataSet {
    int modelNumber = 1;  // 1-10; 1 is the MR318
    ModelFlags flags;
    MemoryImage image;
    std::array<PlanArray, kPlanCount> plans{};   // USA, INT, CAN
    std::vector<ChannelRecord> wx;               // WX channels 0-9
    std::array<ChannelRecord, kExpChannels + 1> exp{};  // EXP 1-20; index 0 unused
    std::array<ChannelGroup, kGroupCount> groups{};     // USA, INT, CAN, EXP
    CommonSetup common;
    AtisSettings atis;

    PlanArray& plan(int p) { return plans[static_cast<size_t>(p)]; }
    const PlanArray& plan(int p) const { return plans[static_cast<size_t>(p)]; }
    bool operator==(const DataSet&) const = default;
};

}  // namespace rp770
