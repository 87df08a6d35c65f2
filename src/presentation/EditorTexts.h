#pragma once
// The editing area's own texts: keyboard hints for status bar panel 1 and
// the messages of refused input.

namespace rp770::presentation::texts {

inline constexpr const char* kTreeHint = "[Up]/[Down]/[Left]/[Right]:Change of a Selection item.";
inline constexpr const char* kGridHint = "[Double click],[Enter]:Jump the Setting screen.";
inline constexpr const char* kCheckBoxHint = "[Space]:An effective and invalid change.";
inline constexpr const char* kComboHint = "[Up]/[Down]:Change of a Selection item.";
inline constexpr const char* kAtisHint = "Numeric Only. Indispensable 10 figures.";
inline constexpr const char* kDisplayLeftHint = "Indispensable 2 figures.";
inline constexpr const char* kDisplayRightHint = "Indispensable 1 figures.";
inline constexpr const char* kRxFrequency = "Rx frequency";
inline constexpr const char* kTxFrequency = "Tx frequency";
inline constexpr const char* kWxEnableHint = "Select[x]Enable/[]Disable.";
inline constexpr const char* kWxScanHint = "[Space]:An effective and invalid change.";

inline constexpr const char* kIncompleteChannel = "Data Error!!\nPlease input correct data.";
inline constexpr const char* kAtisTitle = "ATISNo";

}  // namespace rp770::presentation::texts
