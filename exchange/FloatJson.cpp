#include "exchange/FloatJson.h"

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace float_json {

std::uint32_t FloatBits(float value) {
    return std::bit_cast<std::uint32_t>(value);
}
float FloatFromBits(std::uint32_t bits) {
    return std::bit_cast<float>(bits);
}

namespace {

std::string HexPattern(std::uint64_t bits, int digits) {
    char text[24];
    std::snprintf(text, sizeof text, "0x%0*llx", digits, static_cast<unsigned long long>(bits));
    return text;
}

std::optional<std::uint64_t> ParseHexPattern(const std::string& text, std::size_t digits) {
    if (text.size() != digits + 2 || text[0] != '0' || (text[1] != 'x' && text[1] != 'X'))
        return std::nullopt;
    std::uint64_t bits = 0;
    const char* first = text.data() + 2;
    const char* last = text.data() + text.size();
    const auto [end, error] = std::from_chars(first, last, bits, 16);
    if (error != std::errc() || end != last) return std::nullopt;
    return bits;
}

}  // namespace

Json FromFloat(float value) {
    if (!std::isfinite(value)) return HexPattern(FloatBits(value), 8);
    // The shortest decimal for the float, held as the double nearest to it: the JSON writer
    // then prints that same short decimal, and the reader's double converts back to the float.
    char text[32];
    const auto result = std::to_chars(text, text + sizeof text, value);
    *result.ptr = '\0';
    const double shortest = std::strtod(text, nullptr);
    if (FloatBits(static_cast<float>(shortest)) == FloatBits(value)) return shortest;
    return static_cast<double>(value);  // exact, only longer
}

Json FromDouble(double value) {
    if (!std::isfinite(value)) return HexPattern(std::bit_cast<std::uint64_t>(value), 16);
    return value;  // the writer prints the shortest decimal that reads back to the double
}

std::optional<float> ToFloat(const Json& value) {
    if (value.is_string()) {
        const auto bits = ParseHexPattern(value.get<std::string>(), 8);
        if (!bits) return std::nullopt;
        return FloatFromBits(static_cast<std::uint32_t>(*bits));
    }
    if (!value.is_number()) return std::nullopt;
    const float number = static_cast<float>(value.get<double>());
    if (std::isinf(number)) return std::nullopt;  // finite in JSON, too large for a float
    return number;
}

}  // namespace float_json
