#pragma once
// Day-after relationships: for each symptom, the food most consistently followed by a better
// day and the one most consistently followed by a worse day, read straight from the histories.

#include <string_view>

#include "diary/EngineResults.h"

class CGastrologDoc;

namespace relationships {
// Stands in a column for a symptom without a food of a long enough run.
inline constexpr std::string_view NotFound = "Not found.";
}  // namespace relationships

Relationships ComputeRelationships(const CGastrologDoc& doc);
