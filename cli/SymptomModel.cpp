#include "cli/SymptomModel.h"

#include <algorithm>
#include <initializer_list>

#include "diary/DiaryConstants.h"

namespace {

constexpr double TriggerEffect = 1.0;
constexpr double NoiseDeviation = 0.4;
constexpr double NoticeableChange = 0.55;
constexpr double RandomRatingChance = 0.04;

std::size_t Clamp(std::size_t value, std::size_t lowest, std::size_t highest) {
    return std::max(lowest, std::min(value, highest));
}

// Foods of the given kinds, in a seeded order.
std::vector<std::string> Candidates(const std::vector<CatalogFood>& foods,
                                    std::initializer_list<FoodKind> kinds,
                                    SimulationRandom& random) {
    std::vector<std::string> names;
    for (const CatalogFood& food : foods)
        if (std::find(kinds.begin(), kinds.end(), food.kind) != kinds.end())
            names.push_back(food.name);
    random.Shuffle(names);
    return names;
}

}  // namespace

std::vector<PlantedTrigger> ChooseTriggers(const std::vector<CatalogFood>& foods,
                                           const std::vector<std::string>& symptoms,
                                           SimulationRandom& random) {
    std::vector<std::string> candidates =
        Candidates(foods, {FoodKind::Treat, FoodKind::Snack}, random);
    for (std::string& name : Candidates(foods, {FoodKind::Meal, FoodKind::Breakfast}, random))
        candidates.push_back(std::move(name));
    if (symptoms.empty() || candidates.empty()) return {};

    const std::size_t worse = Clamp(foods.size() / 10, 1, 3);
    const std::size_t better = Clamp(foods.size() / 15, 1, 2);
    std::vector<PlantedTrigger> triggers;
    for (std::size_t i = 0; i < worse + better && i < candidates.size(); ++i) {
        const bool makesWorse = i < worse;
        // Worse triggers take the symptoms from the first on, better ones from the last back.
        const std::size_t symptom =
            makesWorse ? i % symptoms.size() : symptoms.size() - 1 - (i - worse) % symptoms.size();
        triggers.push_back({candidates[i], symptoms[symptom], makesWorse});
    }
    return triggers;
}

SymptomModel::SymptomModel(std::vector<std::string> symptoms, std::vector<PlantedTrigger> triggers)
    : m_symptoms(std::move(symptoms)), m_triggers(std::move(triggers)) {}

double SymptomModel::EffectOn(std::size_t symptom, const std::vector<std::string>& eaten) const {
    double effect = 0.0;
    for (const PlantedTrigger& trigger : m_triggers)
        if (trigger.symptom == m_symptoms[symptom] &&
            std::find(eaten.begin(), eaten.end(), trigger.food) != eaten.end())
            effect += trigger.worse ? TriggerEffect : -TriggerEffect;
    return effect;
}

std::vector<char> SymptomModel::RateDay(const std::vector<std::string>& eatenYesterday,
                                        SimulationRandom& random) {
    static constexpr char Codes[] = {diary::Better, diary::Worse, diary::NoChange};
    std::vector<char> ratings;
    for (std::size_t s = 0; s < m_symptoms.size(); ++s) {
        const double level = EffectOn(s, eatenYesterday) + NoiseDeviation * random.Noise();
        char rating = diary::NoChange;
        if (level > NoticeableChange) rating = diary::Worse;
        if (level < -NoticeableChange) rating = diary::Better;
        if (random.Chance(RandomRatingChance)) rating = Codes[random.Index(3)];
        ratings.push_back(rating);
    }
    return ratings;
}
