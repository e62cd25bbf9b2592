#pragma once
// The day-after relationships (symptom, best food, worst food), for the terminal and as JSON.
// The document must hold the lists of a ComputeRelationships run.

#include <iosfwd>

#include "exchange/FloatJson.h"

class CGastrologDoc;

// Three aligned columns under the headings "Symptom", "Best food", "Worst food".
void WriteRelationshipsText(const CGastrologDoc& doc, std::ostream& out);

// {"rows": [{"symptom", "best", "worst"}, ...]} in symptom order.
Json RelationshipsToJson(const CGastrologDoc& doc);
