#pragma once
// Small pure conversions shared by the image, the screens, the files and the
// reports: bits, frequency code and texts, ATIS digits, display characters,
// and the value-to-label tables.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/Model.h"

namespace rp770 {

// ---- bits -----------------------------------------------------------------
// Sets the bit when value is exactly 1, clears it otherwise; bits outside 0-7
// change nothing. Returns the new byte.
uint8_t SetBit(uint8_t& byte, int value, int bit);
bool TestBit(uint8_t byte, int bit);
bool TestBitPos(uint8_t byte, int position);  // position 1-8
bool TestMapBit(const MemoryImage& image, int address, int index);  // bit 7 - index

// Bitmaps: bit k lies in byte base + k/8 at bit 7 - k%8.
bool MapBit(const MemoryImage& image, int base, int k);
// Writes count flags as a bitmap; bits past count in the last byte become 0.
void PackMap(MemoryImage& image, int base, const std::vector<bool>& flags);

// ---- frequencies ----------------------------------------------------------
// Frequencies are doubles in MHz; 0 (or anything not above 0) means none.
// Digits are worked out in whole 100 Hz units so that a value such as
// 156.0125 never falls on the wrong side of a rounding step.
int64_t FreqUnits(double mhz);  // mhz x 10000, rounded half away from zero
double UnitsToFreq(int64_t units);

void EncodeFreq(double mhz, uint8_t out[3]);
// The three bytes read as BCD text with a point after the first byte, as MHz
// above 100 (56.8 for 0x56 0x80 0x00); a text that does not start with a
// digit gives 0.
double DecodeFreq(const uint8_t bytes[3]);
double DecodeFreq(const MemoryImage& image, int address);
// The full frequency held at an address: 100 + DecodeFreq, or 0 unless it is
// strictly between 100 and 200 MHz.
double DecodeFreqMHz(const MemoryImage& image, int address);

// A frequency as text with 3 or 4 decimals (rounded, not snapped), at
// least three digits before the point.
std::string FreqDigits(double mhz, int fractionDigits);
std::string FormatFreq(double mhz);                   // "000.000" or "---.---"
std::string FormatTxFreq(double mhz, bool rxOnly);    // "---.---" also when rxOnly
std::string FormatSnappedFreq(double mhz);            // the same text, the value left as it is
double SnapFreq(double& mhz);
bool IsStep25k(double mhz);

// ---- ATIS -----------------------------------------------------------------
void EncodeAtis(MemoryImage& image, int address, std::string_view code, int flag);
std::string DecodeAtis(const MemoryImage& image, int address);

// ---- display characters ---------------------------------------------------
uint8_t CharToCode(std::string_view oneChar);
std::string CodeToChar(uint8_t code);
std::string ReadText(const MemoryImage& image, int address, int count);

// The three display characters of an EXP channel as stored and shown:
// the last 2 of ("  " + left) followed by the last of (" " + right).
std::string ExpDisplayCell(const std::string& left, const std::string& right);
// Display characters as the radio receives them: each is sent as its
// character code, one outside the codec's set as 0xFF, and the radio's text
// ends at the first 0xFF (as ReadText reads it back); trailing blanks go.
std::string ReceivedDisplayText(std::string_view text);
// The cell of ExpDisplayCell as the radio will show it: each part as
// received, padded back to its width.
std::string ReceivedExpDisplayCell(const std::string& left, const std::string& right);

// ---- text -----------------------------------------------------------------
std::string PadRight(std::string_view text, int n);
std::string Field3(std::string_view text);
std::string HexDigits(uint32_t value, int n);
std::string TrimSpaces(std::string_view text);  // spaces only, not tabs
char UpperAscii(char c);
std::string ToUpper(std::string_view text);  // ASCII letters only
std::string ToLower(std::string_view text);
bool EqualsNoCase(std::string_view a, std::string_view b);
std::vector<std::string> SplitList(std::string_view text);

// ---- labels ---------------------------------------------------------------
std::string OnOffLabel(int value);
std::string ResumeTimeLabel(int value);
std::string TxPoDisplayLabel(int value);
std::string WeatherAlertLabel(int value);
std::string EnableLabel(bool value);
std::string TxLabel(bool value);
std::string LowLabel(bool value);
std::string UpLabel(bool value);
std::string DupLabel(bool value);
std::string MemLabel(bool value);
std::string ChannelLabel(int64_t code);

}  // namespace rp770
