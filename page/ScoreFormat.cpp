#include "page/ScoreFormat.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace {

constexpr int SignificantDigits = 8;

// Trailing zeros go, the decimal point stays.
void TrimFraction(std::string& digits) {
    const auto point = digits.find('.');
    if (point == std::string::npos) {
        digits += '.';
        return;
    }
    const auto last = digits.find_last_not_of('0');
    digits.erase(last + 1);
}

std::string Printf(const char* format, int precision, double value) {
    char buffer[400];
    std::snprintf(buffer, sizeof buffer, format, precision, value);
    return buffer;
}

// The decimal exponent after rounding to the significant digits, so that 99999999.7 counts
// as 1e8 and not as a value below 1e8.
int RoundedExponent(double value, std::string& mantissa) {
    const std::string scientific = Printf("%.*e", SignificantDigits - 1, value);
    const auto letter = scientific.find('e');
    mantissa = scientific.substr(0, letter);
    return std::atoi(scientific.c_str() + letter + 1);
}

std::string ExponentForm(std::string mantissa, int exponent) {
    TrimFraction(mantissa);
    char tail[16];
    std::snprintf(tail, sizeof tail, "e%c%03d", exponent < 0 ? '-' : '+', std::abs(exponent));
    return mantissa + tail;
}

std::string FixedForm(double value, int exponent) {
    std::string digits = Printf("%.*f", SignificantDigits - 1 - exponent, value);
    TrimFraction(digits);
    return digits;
}

}  // namespace

std::string FormatScore(double value) {
    if (std::isnan(value)) return "nan";
    if (std::isinf(value)) return value < 0 ? "-inf" : "inf";
    if (value == 0.0) return "0.";
    std::string mantissa;
    const int exponent = RoundedExponent(value, mantissa);
    if (exponent >= -1 && exponent < SignificantDigits) return FixedForm(value, exponent);
    return ExponentForm(mantissa, exponent);
}
