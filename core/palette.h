// Every colour the program uses by number. Colours are Windows colour values
// $00BBGGRR (red in the low byte), the form the settings file stores them in;
// ui turns them into its own colours in one place.
#pragma once

#include <cstdint>

namespace morna {

using WinColor = std::int32_t;

inline constexpr WinColor kBlack = 0;
inline constexpr WinColor kWhite = 16777215;        // $00FFFFFF
inline constexpr WinColor kRed = 255;               // $000000FF
inline constexpr WinColor kBlue = 16711680;         // $00FF0000
inline constexpr WinColor kLime = 65280;            // $0000FF00
inline constexpr WinColor kPink = 16728319;         // $00FF40FF, a label's warning caption
inline constexpr WinColor kNavy = 8388608;          // $00800000
inline constexpr WinColor kDarkNavy = 4194304;      // $00400000, the frames of label windows
inline constexpr WinColor kTeal = 8421376;          // $00808000
inline constexpr WinColor kAqua = 16776960;         // $00FFFF00
inline constexpr WinColor kMaroon = 128;            // $00000080
inline constexpr WinColor kSilver = 12632256;       // $00C0C0C0
inline constexpr WinColor kLightYellow = 14745599;  // $00E0FFFF, the label face
inline constexpr WinColor kLightCyan = 16777152;    // $00FFFFC0
inline constexpr WinColor kLightRed = 12632319;     // $00C0C0FF
inline constexpr WinColor kLightGreen = 12648384;   // $00C0FFC0
inline constexpr WinColor kLightGrey = 14737632;    // $00E0E0E0

}  // namespace morna
