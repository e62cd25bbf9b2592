#include "cli/FoodCatalog.h"

#include <algorithm>

namespace {

const std::vector<CatalogFood>& AllFoods() {
    using enum FoodKind;
    static const std::vector<CatalogFood> foods = {
        {"Coffee", Staple, 0.92},
        {"Bread", Staple, 0.85},
        {"Milk", Staple, 0.75},
        {"Pasta", Meal, 0},
        {"Tomatoes", Meal, 0},
        {"Cheese", Meal, 0},
        {"Rice", Meal, 0},
        {"Chicken", Meal, 0},
        {"Red wine", Treat, 0.12},
        {"Chocolate", Snack, 0.30},
        {"Apples", Snack, 0.35},
        {"Butter", Staple, 0.65},
        {"Potatoes", Meal, 0},
        {"Beef", Meal, 0},
        {"Oats", Breakfast, 0},
        {"Banana", Breakfast, 0},
        {"Broccoli", Meal, 0},
        {"Carrots", Meal, 0},
        {"Oranges", Snack, 0.20},
        {"Beer", Treat, 0.10},
        {"Yogurt", Breakfast, 0},
        {"Honey", Breakfast, 0},
        {"Fish", Meal, 0},
        {"Peas", Meal, 0},
        {"Peanuts", Snack, 0.15},
        {"Eggs", Breakfast, 0},
        {"Bacon", Breakfast, 0},
        {"Ice cream", Treat, 0.08},
        {"Onions", Meal, 0},
        {"Garlic", Meal, 0},
        {"Tea", Staple, 0.45},
        {"Lentils", Meal, 0},
        {"Strawberries", Snack, 0.15},
        {"Crisps", Snack, 0.20},
        {"Cake", Treat, 0.10},
        {"Sausages", Meal, 0},
        {"Beans", Meal, 0},
        {"Lettuce", Meal, 0},
        {"Cucumber", Meal, 0},
        {"Olive oil", Meal, 0},
        {"Mushrooms", Meal, 0},
        {"Pizza", Meal, 0},
        {"Sugar", Staple, 0.50},
        {"Orange juice", Breakfast, 0},
        {"Cola", Treat, 0.12},
        {"White wine", Treat, 0.06},
        {"Spinach", Meal, 0},
        {"Pork", Meal, 0},
        {"Prawns", Meal, 0},
        {"Cornflakes", Breakfast, 0},
        {"Walnuts", Snack, 0.10},
        {"Ginger tea", Snack, 0.12},
        {"Pears", Snack, 0.15},
        {"Popcorn", Treat, 0.08},
    };
    return foods;
}

const std::vector<std::string>& AllSymptoms() {
    static const std::vector<std::string> symptoms = {
        "Headache",   "Bloating",       "Joint pain",   "Fatigue",      "Skin rash",
        "Heartburn",  "Stomach cramps", "Nausea",       "Migraine",     "Itching",
        "Runny nose", "Diarrhoea",      "Constipation", "Wind",         "Mouth ulcers",
        "Eczema",     "Low mood",       "Brain fog",    "Palpitations", "Sneezing",
    };
    return symptoms;
}

// Beyond the catalog: "Food 55" and so on, snacks and treats of their own small chances, so
// that a diet of several hundred foods still has days of a few dozen of them.
CatalogFood MadeUpFood(std::size_t number) {
    const bool treat = number % 3 == 0;
    const double probability = 0.02 + 0.01 * static_cast<double>(number * 7 % 11);
    return {"Food " + std::to_string(number), treat ? FoodKind::Treat : FoodKind::Snack,
            probability};
}

}  // namespace

std::vector<CatalogFood> CatalogFoods(std::size_t count) {
    const auto& catalog = AllFoods();
    std::vector<CatalogFood> foods(
        catalog.begin(), catalog.begin() + static_cast<long>(std::min(count, catalog.size())));
    while (foods.size() < count) foods.push_back(MadeUpFood(foods.size() + 1));
    return foods;
}

std::size_t CatalogFoodCount() {
    return AllFoods().size();
}

const std::vector<CatalogMeal>& CatalogMeals() {
    using enum FoodKind;
    static const std::vector<CatalogMeal> meals = {
        {Breakfast, {"Oats", "Banana"}},
        {Breakfast, {"Yogurt", "Honey", "Strawberries"}},
        {Breakfast, {"Eggs", "Bacon", "Orange juice"}},
        {Breakfast, {"Cornflakes", "Orange juice"}},
        {Meal, {"Pasta", "Tomatoes", "Cheese", "Garlic"}},
        {Meal, {"Rice", "Chicken", "Broccoli"}},
        {Meal, {"Potatoes", "Beef", "Carrots", "Onions"}},
        {Meal, {"Fish", "Potatoes", "Peas"}},
        {Meal, {"Lentils", "Onions", "Rice", "Garlic"}},
        {Meal, {"Sausages", "Beans", "Potatoes"}},
        {Meal, {"Lettuce", "Cucumber", "Tomatoes", "Olive oil"}},
        {Meal, {"Pizza", "Cheese", "Mushrooms"}},
        {Meal, {"Pork", "Spinach", "Potatoes"}},
        {Meal, {"Prawns", "Rice", "Garlic"}},
        {Meal, {"Cheese", "Bread", "Tomatoes"}},
    };
    return meals;
}

std::vector<std::string> CatalogSymptoms(std::size_t count) {
    const auto& symptoms = AllSymptoms();
    return {symptoms.begin(),
            symptoms.begin() + static_cast<long>(std::min(count, symptoms.size()))};
}

std::size_t CatalogSymptomCount() {
    return AllSymptoms().size();
}
