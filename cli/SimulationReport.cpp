#include "cli/SimulationReport.h"

#include <algorithm>
#include <ostream>

#include "cli/TextTable.h"
#include "diary/GastrologDoc.h"

namespace {

template <class Entry>
bool Holds(const std::vector<Entry>& list, const std::string& food) {
    return std::any_of(list.begin(), list.end(),
                       [&](const Entry& entry) { return entry.m_name == food; });
}

std::string Effect(const PlantedTrigger& trigger) {
    return std::string("makes ") + trigger.symptom + (trigger.worse ? " worse" : " better") +
           " the next day";
}

std::string Relationship(const CGastrologDoc& doc, const PlantedTrigger& trigger) {
    const char* side = trigger.worse ? "worst" : "best";
    const std::string related = RelatedFood(doc, trigger.symptom, trigger.worse);
    if (related == trigger.food) return std::string(side) + " food for " + trigger.symptom;
    return std::string(side) + " food for " + trigger.symptom + " is " + related;
}

}  // namespace

void WritePlantedTriggers(const std::vector<PlantedTrigger>& triggers, std::ostream& out) {
    if (triggers.empty()) {
        out << "No trigger foods planted (the diet has no food that is eaten only now and "
               "then).\n";
        return;
    }
    out << "Planted trigger foods:\n";
    TextTable table;
    for (const PlantedTrigger& trigger : triggers) table.AddRow({trigger.food, Effect(trigger)});
    table.Write(out, "  ");
}

std::string ListHolding(const CGastrologDoc& doc, const std::string& food) {
    if (Holds(doc.Inclusions(), food)) return "inclusions";
    if (Holds(doc.Exclusions(), food)) return "exclusions";
    if (Holds(doc.Over50Days(), food)) return "unclassified";
    return {};
}

std::string RelatedFood(const CGastrologDoc& doc, const std::string& symptom, bool worst) {
    const StringList& foods = worst ? doc.RelateWorst() : doc.RelateBest();
    for (std::size_t row = 0; row < doc.RelateSymptoms().size() && row < foods.size(); ++row)
        if (doc.RelateSymptoms()[row] == symptom) return foods[row];
    return {};
}

void WriteTriggerLanding(const CGastrologDoc& doc, const std::vector<PlantedTrigger>& triggers,
                         std::ostream& out) {
    if (triggers.empty()) return;
    out << "Where they landed:\n";
    TextTable table;
    for (const PlantedTrigger& trigger : triggers) {
        const std::string list = ListHolding(doc, trigger.food);
        table.AddRow({trigger.food, list.empty() ? "not in the diary (never eaten)" : "in " + list,
                      Relationship(doc, trigger)});
    }
    table.Write(out, "  ");
}
