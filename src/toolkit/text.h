#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace dravik {

// "000": at least three digits, zero-padded, a minus sign in front of a negative value.
std::string Format000(int value);
// The same with at least digits digits ("0000" for 4).
std::string FormatDigits(int value, int digits);

// Plain decimal digits, a minus sign only for a negative value.
std::string FormatPlain(int value);

// One space reserved for the sign: " 2" for 2, "-2" for -2.
std::string FormatSignReserving(int value);

// The value of the number a text begins with (after blanks; an optional sign, digits and a
// fraction); a text that begins with no number reads as 0.
double LeadingNumber(std::string_view text);

// Rounds half to even into the 16-bit range; throws RuntimeError "Overflow" outside it.
std::int16_t RoundToInt16(double value);

// The 16-bit number a text begins with: "" and "@" give 0.
inline std::int16_t TextToInt16(std::string_view text) {
    // The rules read every cell on every scan, and cells hold "", "@" or one digit: those need
    // no general number reading.
    if (text.size() > 1) {
        return RoundToInt16(LeadingNumber(text));
    }
    const char c = text.empty() ? '\0' : text.front();
    return c >= '0' && c <= '9' ? static_cast<std::int16_t>(c - '0') : 0;
}

}  // namespace dravik
