#pragma once
// The byte map of the radio's memory and the conversions between the memory
// image and the typed model.

#include <cstdint>

#include "core/Model.h"

namespace rp770 {

// Byte map of the 1 KB memory (big-endian multi-byte numbers).
namespace addr {
inline constexpr int ModelCode = 0x000;
inline constexpr int Spare004 = 0x004;  // no field; 0x00 in a new image
inline constexpr int Spare00B = 0x00B;  // no field; 0x00 in a new image
inline constexpr int Spare014 = 0x014;  // no field; 0x00 in a new image
inline constexpr int CurrentPlan = 0x005;
inline constexpr int OperatingMode = 0x006;
inline constexpr int CurrentChannel = 0x007;
inline constexpr int LastChannel = 0x008;
inline constexpr int CurrentWxChannel = 0x009;
inline constexpr int TxPoDisplay = 0x00A;
inline constexpr int WeatherAlert = 0x00D;
inline constexpr int Scan = 0x00E;
inline constexpr int PttScanClear = 0x010;
inline constexpr int ResumeTime = 0x011;
inline constexpr int DualWatch = 0x012;
inline constexpr int UsableGroups = 0x016;
inline constexpr int AtisGroups = 0x01A;
inline constexpr int AtisCode = 0x01B;
inline constexpr int AtisCodeLength = 5;
inline constexpr int EnableMap[3] = {0x020, 0x030, 0x040};  // USA, INT, CAN
inline constexpr int PriorityChannel[3] = {0x02F, 0x03F, 0x04F};
inline constexpr int WxEnableMap = 0x050;
inline constexpr int ExpEnableMap = 0x052;
inline constexpr int ExpMapSpareEnd = 0x05A;  // the EXP maps and the 5 bytes after them
inline constexpr int MapSpare = ExpMapSpareEnd - ExpEnableMap;  // 0x00 in a new image
inline constexpr int ScanMap[3] = {0x060, 0x070, 0x080};
inline constexpr int WxScanMap = 0x090;
inline constexpr int ExpScanMap = 0x092;
inline constexpr int ChannelList[3] = {0x0A0, 0x0B0, 0x0C0};
inline constexpr int ChannelListLength = 10;
inline constexpr int Attributes[3] = {0x100, 0x180, 0x200};
inline constexpr int ExpRecords = 0x280;
inline constexpr int ExpRecordSize = 16;
inline constexpr int ExpRecord(int n) { return ExpRecords + ExpRecordSize * (n - 1); }  // n = 1..20

// What the radio keeps: bytes the programming never sends, and addresses a
// read never takes over.
inline constexpr int RadioKeeps017 = 0x017;      // never written
inline constexpr int KeptRowsFirst = 0x0E0;      // rows 0x0E0-0x0FF are never written
inline constexpr int KeptRowsEnd = 0x100;
inline constexpr int ModelCodeRow = 0x3F0;       // this row and those after it are never written
inline constexpr int ReadKeepsFirst = 0x400;     // a read leaves 0x400-0x4FF of the image alone
inline constexpr int ReadKeepsLast = 0x4FF;
}  // namespace addr

// Attribute bits of a regular channel (and, bits 7, 5 and 4, of an EXP record).
namespace attr {
inline constexpr uint8_t TxEnable = 0x80;
inline constexpr uint8_t Duplex = 0x40;
inline constexpr uint8_t PowUp = 0x20;
inline constexpr uint8_t HighPower = 0x10;  // LowPower is the inverse
inline constexpr uint8_t DispayA = 0x01;
}  // namespace attr

// The one test of a model code, wherever an image comes from (the radio, a
// definition file, a memory image file): both copies equal, the model the
// MR318 (1) and the code 318.
bool CheckModelCode(int modelNumber, uint16_t first, uint16_t last);
// The same test on the bytes of an image whose last address is `lastAddress`
// (the code stands big-endian in bytes 0-1 and in the last two bytes).
bool ModelCodesAccepted(int modelNumber, const uint8_t* bytes, int lastAddress);

// Factory defaults for the data set's model; then the groups, common setup
// and ATIS are decoded from them.
void InitImage(DataSet& data);
void DecodeImage(DataSet& data);
void EncodeImage(DataSet& data);
bool IsChannelValid(const MemoryImage& image, int code, int plan);
bool IsWxChannelValid(const MemoryImage& image, int wx);
void FixStartChannel(DataSet& data);

// Parts of the decoding that other steps reuse.
void DecodeGroupsSetupAtis(DataSet& data);  // groups, common setup, ATIS
void DecodeExp(DataSet& data);

// The data side of starting a new data set: plan tables, WX and EXP records,
// factory image, EXP decoded from it, then encoded. Fields that only the
// settings text file carries (TimeDisplay, OffsetTime) are kept.
void ResetDataSet(DataSet& data);

}  // namespace rp770
