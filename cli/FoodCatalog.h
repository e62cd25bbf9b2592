#pragma once
// The foods and symptoms a simulated diary draws on, with the eating habits behind them.

#include <string>
#include <vector>

enum class FoodKind {
    Staple,     // most days, on its own probability
    Breakfast,  // with its breakfast
    Meal,       // as part of a lunch or a dinner
    Snack,      // on its own probability, any day
    Treat,      // now and then, far more often at the weekend
};

struct CatalogFood {
    std::string name;
    FoodKind kind;
    double probability;  // per day for staples, snacks and treats (treats: on a weekday)
};

// The first `count` foods of the catalog, followed by made-up snacks and treats ("Food 55",
// "Food 56", ...) when it holds fewer. The catalog is ordered so that every beginning of it
// makes a varied diet: staples, a few meals, a snack, a treat, and so on.
std::vector<CatalogFood> CatalogFoods(std::size_t count);
std::size_t CatalogFoodCount();

// The foods eaten together at one breakfast, lunch or dinner.
struct CatalogMeal {
    FoodKind kind;  // Breakfast or Meal
    std::vector<std::string> foods;
};
const std::vector<CatalogMeal>& CatalogMeals();

// The first `count` symptom names (at most 20).
std::vector<std::string> CatalogSymptoms(std::size_t count);
std::size_t CatalogSymptomCount();
