#pragma once
// The score column of a food row: the general floating-point style of the Windows C runtime
// with 8 significant digits, which keeps the decimal point ("5000.") and writes three exponent
// digits ("1.5e-005").

#include <string>

std::string FormatScore(double value);
