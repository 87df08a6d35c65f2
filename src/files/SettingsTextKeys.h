#pragma once
// Section names and keys of the settings text file, spelled as the files
// carry them ("Weater", "DispayA" and the space in "Priority CH 0" included).

#include <string>

namespace rp770::dat {

inline constexpr const char* Main = "MAIN";
inline constexpr const char* ModelType = "MODELTYPE";

inline constexpr const char* Groups = "Usable CH Group Setup";
// The usable flags of USA, INT, CAN and EXP.
inline constexpr const char* UsableKeyList = "Group1, Group2, Group3, Exp CH";
// "Priority CH" + a space + the group number: the number-to-text conversion
// puts a space before a non-negative number.
inline std::string PriorityKey(int group) { return "Priority CH " + std::to_string(group); }

inline constexpr const char* Common = "Common Setup";
inline constexpr const char* TxPoDisplay = "TX Po Display";
inline constexpr const char* Scan = "SCAN";
inline constexpr const char* ResumeTime = "Resume Time";
inline constexpr const char* PttScanClear = "PTT SCAN Clear";
inline constexpr const char* DualWatch = "Dual Watch";
inline constexpr const char* OffsetTime = "Offset Time";
inline constexpr const char* TimeDisplay = "Time Display";
inline constexpr const char* WeatherAlert = "Weater";

inline constexpr const char* Atis = "ATIS Setup";
inline std::string AtisGroupKey(int i) { return "Usable ATIS CH Group" + std::to_string(i); }
inline constexpr const char* AtisCode = "Atis Code";

inline constexpr const char* PlanPrefix[3] = {"CHUSA", "CHINT", "CHCAN"};
inline constexpr const char* WxPrefix = "CHWX";
inline constexpr const char* ExpPrefix = "CHEXP";

inline constexpr const char* Position = "Position";
inline constexpr const char* Enable = "Enable";
inline constexpr const char* LowPower = "LowPower";
inline constexpr const char* PowUp = "PowUp";
inline constexpr const char* Duplex = "Duplex";
inline constexpr const char* TxEnable = "TxEnable";
inline constexpr const char* DispayA = "DispayA";
inline constexpr const char* ScanMemory = "ScanMemory";
inline constexpr const char* ChTag = "ChTag";
inline constexpr const char* CHDisplayL = "CHDisplayL";
inline constexpr const char* CHDisplayR = "CHDisplayR";
inline constexpr const char* Rxfreq = "Rxfreq";
inline constexpr const char* Txfreq = "Txfreq";

}  // namespace rp770::dat
