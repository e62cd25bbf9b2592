#pragma once
// The case-insensitive name order of the generated lists and the page: only A-Z are folded to
// a-z, every other byte compares by its unsigned value.

#include <string_view>

namespace name_order {

inline unsigned char Fold(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte >= 'A' && byte <= 'Z' ? static_cast<unsigned char>(byte - 'A' + 'a') : byte;
}

// Negative, zero or positive as a sorts before, with or after b.
inline int Compare(std::string_view a, std::string_view b) {
    const std::size_t common = a.size() < b.size() ? a.size() : b.size();
    for (std::size_t i = 0; i < common; ++i) {
        const int difference = Fold(a[i]) - Fold(b[i]);
        if (difference != 0) return difference;
    }
    if (a.size() == b.size()) return 0;
    return a.size() < b.size() ? -1 : 1;
}

inline bool Before(std::string_view a, std::string_view b) {
    return Compare(a, b) < 0;
}

}  // namespace name_order
