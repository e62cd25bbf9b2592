#pragma once
// How the simulated person's symptoms respond to food. Each day a symptom has a level: the sum
// of the effects of the trigger foods eaten the day before, plus noise. The person rates the
// symptom "worse" on a day its level is clearly up, "better" when it is clearly down, and "no
// change" otherwise; now and then a rating is a random one, as moods go.

#include <string>
#include <vector>

#include "cli/FoodCatalog.h"
#include "cli/SimulationRandom.h"

struct PlantedTrigger {
    std::string food;
    std::string symptom;
    bool worse = true;  // makes the symptom worse the next day; otherwise better
};

// Picks trigger foods among those eaten now and then (treats and snacks first, then meal
// foods; never staples, which are eaten nearly every day and cannot stand out), a few that
// make a symptom worse and fewer that make one better, spread over the symptoms.
std::vector<PlantedTrigger> ChooseTriggers(const std::vector<CatalogFood>& foods,
                                           const std::vector<std::string>& symptoms,
                                           SimulationRandom& random);

class SymptomModel {
public:
    SymptomModel(std::vector<std::string> symptoms, std::vector<PlantedTrigger> triggers);

    // Each symptom's rating today ('b', 'w' or 'n', in symptom order), given yesterday's foods.
    std::vector<char> RateDay(const std::vector<std::string>& eatenYesterday,
                              SimulationRandom& random);

    const std::vector<std::string>& Symptoms() const { return m_symptoms; }
    const std::vector<PlantedTrigger>& Triggers() const { return m_triggers; }

private:
    double EffectOn(std::size_t symptom, const std::vector<std::string>& eaten) const;

    std::vector<std::string> m_symptoms;
    std::vector<PlantedTrigger> m_triggers;
};
