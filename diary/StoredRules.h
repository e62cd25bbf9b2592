#pragma once
// What a diary file may hold beyond its byte layout. The file reader refuses a file whose lists
// break these rules, and JSON import applies the same rules before it writes anything, so that
// whatever import writes, the program reads back.

#include <optional>
#include <string_view>
#include <vector>

#include "diary/Food.h"
#include "diary/Hidden.h"
#include "diary/NameRules.h"
#include "diary/Symptom.h"

namespace stored_rules {

// The engine and the page index every history by its 50 day slots, and every writer stores
// exactly 50; any other length can only come from a damaged file.
bool IsSoundHistory(std::string_view history);

// The rules a record's name follows: foods and symptoms those of the dialogs, since the commit
// of the dialogs' lists would misread a name they could never have typed (">Coffee" reads as
// "delete Coffee"); a hidden unit's name is never shown or committed.
inline constexpr std::optional<name_rules::Kind> NameKindOf(const CFood&) {
    return name_rules::Kind::Food;
}
inline constexpr std::optional<name_rules::Kind> NameKindOf(const CSymptom&) {
    return name_rules::Kind::Symptom;
}
inline constexpr std::optional<name_rules::Kind> NameKindOf(const CHidden&) {
    return std::nullopt;
}

// What is wrong with a list as the reader judges it, or null when it is sound.
const char* ListProblem(const std::vector<CFood>& foods);
const char* ListProblem(const std::vector<CSymptom>& symptoms);
// The network pairs the k-th unit with weight k of every food and symptom: five units.
const char* ListProblem(const std::vector<CHidden>& hidden);

}  // namespace stored_rules
