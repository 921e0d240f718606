#include "toolkit/text.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "toolkit/runtime_error.h"

namespace dravik {

std::string Format000(int value) {
    return FormatDigits(value, 3);
}

std::string FormatDigits(int value, int digits) {
    char text[24];
    const long magnitude = std::labs(static_cast<long>(value));
    std::snprintf(text, sizeof text, value < 0 ? "-%0*ld" : "%0*ld", digits, magnitude);
    return text;
}

std::string FormatPlain(int value) {
    return std::to_string(value);
}

std::string FormatSignReserving(int value) {
    return value < 0 ? std::to_string(value) : " " + std::to_string(value);
}

double LeadingNumber(std::string_view text) {
    std::size_t pos = 0;
    while (pos < text.size() && (text[pos] == ' ' || text[pos] == '\t')) {
        ++pos;
    }
    double sign = 1.0;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
        sign = text[pos] == '-' ? -1.0 : 1.0;
        ++pos;
    }
    double value = 0.0;
    for (; pos < text.size() && text[pos] >= '0' && text[pos] <= '9'; ++pos) {
        value = value * 10.0 + (text[pos] - '0');
    }
    if (pos < text.size() && text[pos] == '.') {
        double scale = 0.1;
        for (++pos; pos < text.size() && text[pos] >= '0' && text[pos] <= '9'; ++pos) {
            value += (text[pos] - '0') * scale;
            scale /= 10.0;
        }
    }
    return sign * value;
}

std::int16_t RoundToInt16(double value) {
    const double rounded = std::nearbyint(value);  // the default rounding mode is half to even
    if (!(rounded >= -32768.0 && rounded <= 32767.0)) {
        throw RuntimeError(kErrOverflow, "Overflow");
    }
    return static_cast<std::int16_t>(rounded);
}

}  // namespace dravik
