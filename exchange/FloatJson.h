#pragma once
// The diary's numbers in JSON, written so that reading them back gives the same bits.
//
// A finite number is written as the shortest decimal that reads back to the same value. NaN
// and the infinities, which JSON cannot hold, are written as a string of their IEEE bit
// pattern in hexadecimal ("0x7fc00000" for a float, 16 digits for a double); the readers
// accept both forms.

#include <cstdint>
#include <nlohmann/json.hpp>
#include <optional>

using Json = nlohmann::ordered_json;

namespace float_json {

Json FromFloat(float value);
Json FromDouble(double value);

// The float a JSON value holds, or nullopt when it holds none (not a number, not a bit
// pattern, or a finite number too large for a 32-bit float).
std::optional<float> ToFloat(const Json& value);

std::uint32_t FloatBits(float value);
float FloatFromBits(std::uint32_t bits);

}  // namespace float_json
