#pragma once
// A name list kept in the case-insensitive name order while names are inserted one by one.
// The list ends with the sentinel "zzzzz": a new name goes before the first element it sorts
// strictly before, and a name that does not sort before the sentinel (such as "zzzzz" itself,
// or one starting with a byte above 'z') goes immediately before it. Names that compare equal
// therefore keep the order they were inserted in.

#include <algorithm>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "engine/NameOrder.h"

class SortedNameList {
public:
    static constexpr std::string_view Sentinel = "zzzzz";

    SortedNameList() : m_names{std::string(Sentinel)} {}

    void Insert(std::string name) {
        // The elements before the sentinel are sorted, so the first one the name sorts before
        // is found by bisection; reaching the sentinel means "just before it" either way.
        const auto sentinel = m_names.end() - 1;
        const auto position =
            std::upper_bound(m_names.begin(), sentinel, name,
                             [](const auto& a, const auto& b) { return name_order::Before(a, b); });
        m_names.insert(position, std::move(name));
    }

    // The names in order, without the sentinel.
    std::span<const std::string> Names() const { return {m_names.data(), m_names.size() - 1}; }

private:
    std::vector<std::string> m_names;
};
