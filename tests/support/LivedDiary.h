#pragma once
// Lived days written by hand for the evidence tests: day d is date Start + d, foods and
// symptoms by index, every symptom "no change" unless rated.

#include <gtest/gtest.h>

#include <random>
#include <set>
#include <string>
#include <vector>

#include "engine/Evidence.h"

struct LivedDiary {
    static constexpr lived::Date Start = 20000;

    std::vector<std::string> foods;
    std::vector<std::string> symptoms;
    int days = 0;
    std::vector<std::set<int>> eaten;        // per day, food indices
    std::vector<std::vector<char>> ratings;  // per day, per symptom
    std::set<int> skipped;                   // days not lived

    LivedDiary(int dayCount, std::vector<std::string> foodNames,
               std::vector<std::string> symptomNames)
        : foods(std::move(foodNames)),
          symptoms(std::move(symptomNames)),
          days(dayCount),
          eaten(static_cast<std::size_t>(dayCount)),
          ratings(static_cast<std::size_t>(dayCount), std::vector<char>(symptoms.size(), 'n')) {}

    LivedDiary& Eat(int food, int day) {
        eaten[static_cast<std::size_t>(day)].insert(food);
        return *this;
    }
    // The rating of the symptom `delay` days after `day`.
    LivedDiary& Rate(int symptom, int day, char code, int delay = 1) {
        if (day + delay < days)
            ratings[static_cast<std::size_t>(day + delay)][static_cast<std::size_t>(symptom)] =
                code;
        return *this;
    }

    EvidenceInput Input() const {
        EvidenceInput input{foods, symptoms, {}};
        for (int day = 0; day < days; ++day) {
            if (skipped.count(day)) continue;
            lived::LivedDay lived;
            lived.date = Start + day;
            for (int food : eaten[static_cast<std::size_t>(day)])
                lived.eaten.push_back(foods[static_cast<std::size_t>(food)]);
            for (std::size_t s = 0; s < symptoms.size(); ++s)
                lived.ratings.emplace_back(symptoms[s], ratings[static_cast<std::size_t>(day)][s]);
            input.days.push_back(std::move(lived));
        }
        return input;
    }
};

inline EvidenceOptions PlainCount() {
    EvidenceOptions options;
    options.plain = true;
    return options;
}

inline const EvidenceEntry& EntryOf(const EvidenceReading& reading, int food, int symptom,
                                    EvidenceDirection direction) {
    for (const EvidenceEntry& entry : reading.entries)
        if (entry.food == food && entry.symptom == symptom && entry.direction == direction)
            return entry;
    static const EvidenceEntry none{};
    ADD_FAILURE() << "no entry for food " << food << ", symptom " << symptom;
    return none;
}
