#pragma once

#include <cstdint>

// Input as the handlers take it, whatever toolkit delivers it: mouse buttons and modifier bits
// as bit sets, keys by code. The codes are the ASCII ones for letters, digits and the keys
// that have one, so a handler can compare a key with 'M'.
namespace dravik {

// Mouse buttons of cmdMine_MouseUp.
constexpr std::int16_t vbLeftButton = 1;
constexpr std::int16_t vbRightButton = 2;
constexpr std::int16_t vbMiddleButton = 4;

// Modifier bits held during a key or mouse event.
constexpr std::int16_t vbShiftMask = 1;
constexpr std::int16_t vbCtrlMask = 2;
constexpr std::int16_t vbAltMask = 4;

// Key codes. Letters and digits are their upper-case ASCII codes; F1..F24 run on from vbKeyF1.
constexpr std::int16_t vbKeyBack = 8;
constexpr std::int16_t vbKeyTab = 9;
constexpr std::int16_t vbKeyReturn = 13;
constexpr std::int16_t vbKeyShift = 16;
constexpr std::int16_t vbKeyControl = 17;
constexpr std::int16_t vbKeyMenu = 18;  // Alt
constexpr std::int16_t vbKeyEscape = 27;
constexpr std::int16_t vbKeySpace = 32;
constexpr std::int16_t vbKeyPageUp = 33;
constexpr std::int16_t vbKeyPageDown = 34;
constexpr std::int16_t vbKeyEnd = 35;
constexpr std::int16_t vbKeyHome = 36;
constexpr std::int16_t vbKeyLeft = 37;
constexpr std::int16_t vbKeyUp = 38;
constexpr std::int16_t vbKeyRight = 39;
constexpr std::int16_t vbKeyDown = 40;
constexpr std::int16_t vbKeyInsert = 45;
constexpr std::int16_t vbKeyDelete = 46;
constexpr std::int16_t vbKey0 = '0';
constexpr std::int16_t vbKeyA = 'A';
constexpr std::int16_t vbKeyM = 'M';
constexpr std::int16_t vbKeyF1 = 112;
constexpr std::int16_t vbKeyF2 = 113;

}  // namespace dravik
