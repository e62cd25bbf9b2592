#include "cli/SimulatedDiet.h"

#include <algorithm>

namespace {

constexpr double BreakfastChance = 0.75;
constexpr double MealChance = 0.95;
constexpr double MealMemberChance = 0.85;  // a meal does not always have every part
constexpr double WeekendTreatFactor = 3.0;
constexpr double HighestTreatChance = 0.6;

void AddOnce(std::vector<std::string>& menu, const std::string& food) {
    if (std::find(menu.begin(), menu.end(), food) == menu.end()) menu.push_back(food);
}

}  // namespace

SimulatedDiet::SimulatedDiet(std::vector<CatalogFood> foods) : m_foods(std::move(foods)) {
    const auto inDiet = [this](const std::string& name) {
        return std::any_of(m_foods.begin(), m_foods.end(),
                           [&](const CatalogFood& food) { return food.name == name; });
    };
    for (const CatalogMeal& meal : CatalogMeals()) {
        Meal available;
        for (const std::string& food : meal.foods)
            if (inDiet(food)) available.push_back(food);
        if (available.empty()) continue;
        (meal.kind == FoodKind::Breakfast ? m_breakfasts : m_meals).push_back(available);
    }
}

void SimulatedDiet::AddMeal(const std::vector<Meal>& meals, double probability,
                            SimulationRandom& random, std::vector<std::string>& menu) const {
    if (meals.empty() || !random.Chance(probability)) return;
    for (const std::string& food : meals[random.Index(meals.size())])
        if (random.Chance(MealMemberChance)) AddOnce(menu, food);
}

std::vector<std::string> SimulatedDiet::DayMenu(SimulationRandom& random, bool weekend) const {
    std::vector<std::string> menu;
    for (const CatalogFood& food : m_foods)
        if (food.kind == FoodKind::Staple && random.Chance(food.probability))
            AddOnce(menu, food.name);
    AddMeal(m_breakfasts, BreakfastChance, random, menu);
    AddMeal(m_meals, MealChance, random, menu);  // lunch
    AddMeal(m_meals, MealChance, random, menu);  // dinner
    for (const CatalogFood& food : m_foods) {
        double chance = 0.0;
        if (food.kind == FoodKind::Snack) chance = food.probability;
        if (food.kind == FoodKind::Treat)
            chance = weekend ? std::min(HighestTreatChance, food.probability * WeekendTreatFactor)
                             : food.probability;
        if (chance > 0.0 && random.Chance(chance)) AddOnce(menu, food.name);
    }
    return menu;
}
