#pragma once
// The "history" member of the JSON export: every lived day, oldest first, as
// {"date": "YYYY-MM-DD", "estimated": false, "eaten": [...], "ratings": {"Bloating": "w"}}.

#include <string>

#include "diary/LivedDays.h"
#include "diary/Result.h"
#include "exchange/FloatJson.h"

inline constexpr const char* HistoryMember = "history";

Json LivedDaysToJson(const lived::LivedDays& days);

// Reads the member back into `days`; a refusal's message names the field and what is wrong
// with it.
Result LivedDaysFromJson(const Json& json, lived::LivedDays& days);
