#pragma once

#include <array>
#include <cstdint>

namespace dravik {

// A colour as the forms store it: 0x00BBGGRR for a plain RGB value, or a system colour
// (bit 31 set, the low byte naming which) that the front end resolves from the desktop theme.
using Colour = std::uint32_t;

constexpr Colour Rgb(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
    return Colour{red} | (Colour{green} << 8) | (Colour{blue} << 16);
}
constexpr std::uint8_t RedOf(Colour c) {
    return c & 0xFF;
}
constexpr std::uint8_t GreenOf(Colour c) {
    return (c >> 8) & 0xFF;
}
constexpr std::uint8_t BlueOf(Colour c) {
    return (c >> 16) & 0xFF;
}

constexpr Colour kSystemColourFlag = 0x80000000u;
constexpr bool IsSystemColour(Colour c) {
    return (c & kSystemColourFlag) != 0;
}

// The system colours the windows use.
constexpr Colour kWindowBackground = kSystemColourFlag | 0x05;
constexpr Colour kWindowText = kSystemColourFlag | 0x08;
constexpr Colour kButtonFace = kSystemColourFlag | 0x0F;
constexpr Colour kButtonText = kSystemColourFlag | 0x12;

// The classic 16-colour palette, indexed 0..15.
inline constexpr std::array<Colour, 16> kPalette = {
    Rgb(0, 0, 0),       Rgb(0, 0, 128),   Rgb(0, 128, 0),   Rgb(0, 128, 128),
    Rgb(128, 0, 0),     Rgb(128, 0, 128), Rgb(128, 128, 0), Rgb(192, 192, 192),
    Rgb(128, 128, 128), Rgb(0, 0, 255),   Rgb(0, 255, 0),   Rgb(0, 255, 255),
    Rgb(255, 0, 0),     Rgb(255, 0, 255), Rgb(255, 255, 0), Rgb(255, 255, 255),
};

// n in 0..15
constexpr Colour PaletteColour(int n) {
    return kPalette.at(static_cast<std::size_t>(n));
}

}  // namespace dravik
