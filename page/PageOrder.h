#pragma once
// The orders in which the page lists symptoms and foods. Every record is listed; records that
// compare equal keep the document's order.

#include <vector>

#include "diary/Food.h"
#include "diary/Symptom.h"

// SortOrder values of the settings store.
inline constexpr int SortFoodsByName = 0;
inline constexpr int SortFoodsByScore = 1;

std::vector<const CSymptom*> SymptomsByName(const std::vector<CSymptom>& symptoms);
// By ascending score when sortOrder is SortFoodsByScore, by name for any other value.
std::vector<const CFood*> FoodsInPageOrder(const std::vector<CFood>& foods, int sortOrder);
