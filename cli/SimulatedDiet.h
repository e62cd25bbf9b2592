#pragma once
// What a simulated person eats on a day: staples most days, a breakfast, two meals of foods
// that go together, snacks on their own chances, and treats now and then, mostly at the
// weekend.

#include <string>
#include <vector>

#include "cli/FoodCatalog.h"
#include "cli/SimulationRandom.h"

class SimulatedDiet {
public:
    explicit SimulatedDiet(std::vector<CatalogFood> foods);

    // The day's foods, each once, in the order a user would enter them.
    std::vector<std::string> DayMenu(SimulationRandom& random, bool weekend) const;
    const std::vector<CatalogFood>& Foods() const { return m_foods; }

private:
    using Meal = std::vector<std::string>;

    void AddMeal(const std::vector<Meal>& meals, double probability, SimulationRandom& random,
                 std::vector<std::string>& menu) const;

    std::vector<CatalogFood> m_foods;
    std::vector<Meal> m_breakfasts;  // the catalog's meals reduced to the foods in the diet
    std::vector<Meal> m_meals;
};
