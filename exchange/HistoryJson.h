#pragma once
// The "history" member of the JSON export: every lived day, oldest first, as
// {"date": "YYYY-MM-DD", "estimated": false, "eaten": [...], "ratings": {"Bloating": "w"}}.

#include <optional>
#include <string>

#include "diary/LivedDays.h"
#include "exchange/FloatJson.h"

inline constexpr const char* HistoryMember = "history";

Json LivedDaysToJson(const lived::LivedDays& days);

// Reads the member back; on a refusal, `problem` names the field and what is wrong with it.
std::optional<lived::LivedDays> LivedDaysFromJson(const Json& json, std::string& problem);
