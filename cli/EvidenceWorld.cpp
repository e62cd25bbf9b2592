#include "cli/EvidenceWorld.h"

#include <algorithm>
#include <string>

#include "cli/SimulationRandom.h"
#include "diary/DiaryConstants.h"

namespace {

constexpr int LinksPerSymptom = 3;     // two worsening and one soothing
constexpr double RatingEdge = 0.7;     // |state| beyond which a day is rated worse or better
constexpr double SpellShift = 0.9;     // a bad spell's push, in noise deviations
constexpr double SpellChance = 0.012;  // per day, for a spell of two to five weeks to begin

struct FoodHabit {
    double chance;      // eaten on a day it is in the diet
    int companion;      // eaten mostly with this food (-1: none)
    bool comesAndGoes;  // in the diet for some weeks, then out
};

// A steady world draws the same numbers and leaves out what they would do.
std::vector<FoodHabit> Habits(SimulationRandom& random, int foods, bool steady) {
    std::vector<FoodHabit> habits(static_cast<std::size_t>(foods));
    for (int f = 0; f < foods; ++f) {
        FoodHabit& habit = habits[static_cast<std::size_t>(f)];
        habit.chance = 0.08 + 0.3 * random.Uniform();
        // every fifth food goes with the one before
        habit.companion = f % 5 == 4 && !steady ? f - 1 : -1;
        habit.comesAndGoes = random.Chance(0.3) && !steady;
    }
    return habits;
}

std::vector<WorldLink> Links(SimulationRandom& random, const EvidenceWorldOptions& options) {
    std::vector<int> foods(static_cast<std::size_t>(options.foods));
    for (int f = 0; f < options.foods; ++f) foods[static_cast<std::size_t>(f)] = f;
    random.Shuffle(foods);
    std::vector<WorldLink> links;
    std::size_t next = 0;
    for (int s = 0; s < options.symptoms; ++s)
        for (int l = 0; l < LinksPerSymptom && next < foods.size(); ++l) {
            WorldLink link;
            link.food = foods[next++];
            link.symptom = s;
            link.worse = l < 2;
            link.size = 0.8 + 1.2 * random.Uniform();
            if (options.delays == WorldDelays::Mixed) {
                const std::size_t kind = random.Index(4);
                link.delay = kind == 3 ? 1 : static_cast<int>(kind);
                link.spread = kind == 3;
            }
            links.push_back(link);
        }
    return links;
}

// Which foods are in the diet on each day: a food that comes and goes is in for three to
// eight weeks, then out for as long.
std::vector<std::vector<bool>> InDiet(SimulationRandom& random,
                                      const std::vector<FoodHabit>& habits, int days) {
    std::vector<std::vector<bool>> in(habits.size(),
                                      std::vector<bool>(static_cast<std::size_t>(days), true));
    for (std::size_t f = 0; f < habits.size(); ++f) {
        if (!habits[f].comesAndGoes) continue;
        bool on = random.Chance(0.5);
        int left = 21 + static_cast<int>(random.Index(36));
        for (int d = 0; d < days; ++d) {
            if (--left <= 0) {
                on = !on;
                left = 21 + static_cast<int>(random.Index(36));
            }
            in[f][static_cast<std::size_t>(d)] = on;
        }
    }
    return in;
}

}  // namespace

EvidenceWorld MakeEvidenceWorld(const EvidenceWorldOptions& options) {
    SimulationRandom random(options.seed * 2654435761u + 12345u);
    const std::vector<FoodHabit> habits = Habits(random, options.foods, options.steady);
    EvidenceWorld world;
    for (const FoodHabit& habit : habits) world.companions.push_back(habit.companion);
    world.links = Links(random, options);
    const auto inDiet = InDiet(random, habits, options.days);
    for (int f = 0; f < options.foods; ++f)
        world.input.foods.push_back("Food " + std::to_string(f + 1));
    for (int s = 0; s < options.symptoms; ++s)
        world.input.symptoms.push_back("Symptom " + std::to_string(s + 1));
    const auto days = static_cast<std::size_t>(options.days);
    std::vector<std::vector<bool>> eaten(days, std::vector<bool>(habits.size(), false));
    for (std::size_t d = 0; d < days; ++d)
        for (std::size_t f = 0; f < habits.size(); ++f) {
            const FoodHabit& habit = habits[f];
            const bool companionEaten =
                habit.companion >= 0 && eaten[d][static_cast<std::size_t>(habit.companion)];
            const double chance =
                habit.companion >= 0 ? (companionEaten ? 0.8 : 0.05) : habit.chance;
            eaten[d][f] = inDiet[f][d] && random.Chance(chance);
        }
    std::vector<int> spellLeft(static_cast<std::size_t>(options.symptoms), 0);
    for (std::size_t d = 0; d < days; ++d) {
        lived::LivedDay day;
        day.date = 20000 + static_cast<lived::Date>(d);
        for (std::size_t f = 0; f < habits.size(); ++f)
            if (eaten[d][f]) day.eaten.push_back(world.input.foods[f]);
        for (int s = 0; s < options.symptoms; ++s) {
            int& spell = spellLeft[static_cast<std::size_t>(s)];
            if (spell > 0)
                --spell;
            else if (random.Chance(SpellChance))
                spell = 14 + static_cast<int>(random.Index(22));
            const bool inSpell = spell > 0 && !options.steady;
            double state = random.Noise() + (inSpell ? SpellShift : 0.0);
            for (const WorldLink& link : world.links) {
                if (link.symptom != s || options.noLinks) continue;
                const double sign = link.worse ? 1.0 : -1.0;
                const auto ateBefore = [&](int delay) {
                    return d >= static_cast<std::size_t>(delay) &&
                           eaten[d - static_cast<std::size_t>(delay)]
                                [static_cast<std::size_t>(link.food)];
                };
                if (link.spread) {
                    for (int delay = 1; delay <= 3; ++delay)
                        if (ateBefore(delay)) state += sign * link.size / 2.0;
                } else if (ateBefore(link.delay)) {
                    state += sign * link.size;
                }
            }
            const char rating = state > RatingEdge    ? diary::Worse
                                : state < -RatingEdge ? diary::Better
                                                      : diary::NoChange;
            day.ratings.emplace_back(world.input.symptoms[static_cast<std::size_t>(s)], rating);
        }
        world.input.days.push_back(std::move(day));
    }
    if (options.noLinks) world.links.clear();
    return world;
}

namespace {

bool Eats(const lived::LivedDay& day, const std::string& food) {
    return std::find(day.eaten.begin(), day.eaten.end(), food) != day.eaten.end();
}

}  // namespace

bool IsClearLink(const EvidenceWorld& world, const WorldLink& link) {
    if (link.size < ClearLinkSize) return false;
    const auto delay = static_cast<std::size_t>(link.delay);
    const std::vector<lived::LivedDay>& days = world.input.days;
    if (days.size() <= delay) return false;
    const std::string& food = world.input.foods[static_cast<std::size_t>(link.food)];
    const auto pairs = static_cast<int>(days.size() - delay);
    int eaten = 0;
    for (std::size_t d = 0; d + delay < days.size(); ++d) eaten += Eats(days[d], food);
    return eaten >= ClearLinkPairs && pairs - eaten >= ClearLinkPairs;
}

bool RidesWithLinkedFood(const EvidenceWorld& world, int food) {
    const auto linked = [&](int f) {
        return std::any_of(world.links.begin(), world.links.end(),
                           [&](const WorldLink& link) { return link.food == f; });
    };
    const int companion = world.companions[static_cast<std::size_t>(food)];
    return !linked(food) && companion >= 0 && linked(companion);
}
