#pragma once
// What a simulation planted, and where those foods ended: in which generated list, and
// whether the day-after relationships name them for their symptom.

#include <iosfwd>
#include <string>
#include <vector>

#include "cli/SymptomModel.h"

class CGastrologDoc;

void WritePlantedTriggers(const std::vector<PlantedTrigger>& triggers, std::ostream& out);

// The list ("inclusions", "exclusions", "unclassified") that holds the food, or an empty
// string when none does.
std::string ListHolding(const CGastrologDoc& doc, const std::string& food);

// The best (or worst) food the relationships give the symptom; an empty string when the
// symptom has no row. The document must hold the lists of a ComputeRelationships run.
std::string RelatedFood(const CGastrologDoc& doc, const std::string& symptom, bool worst);

// The document must hold generated lists and relationships.
void WriteTriggerLanding(const CGastrologDoc& doc, const std::vector<PlantedTrigger>& triggers,
                         std::ostream& out);
