#include "engine/Evidence.h"
#include "engine/EvidenceWords.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "diary/GastrologDoc.h"
#include "tests/support/DocumentTestAccess.h"
#include "tests/support/FakePorts.h"

namespace {

constexpr int Slots = 50;

// Histories written pair by pair: pair t is (slot t, slot t + 1), so eating at t and a
// rating at t + 1 belong together.
struct History {
    std::string codes = std::string(Slots, 'n');

    History& Eat(int slot, char code = 'y') {
        codes[static_cast<std::size_t>(slot)] = code;
        return *this;
    }
    History& EatPairs(int first, int count, char code = 'y') {
        for (int t = first; t < first + count; ++t) Eat(t, code);
        return *this;
    }
    // The rating of the day after pair t.
    History& NextDay(int pair, char rating) {
        codes[static_cast<std::size_t>(pair + 1)] = rating;
        return *this;
    }
    History& NextDays(int first, int count, char rating) {
        for (int t = first; t < first + count; ++t) NextDay(t, rating);
        return *this;
    }
};

class Evidence : public ::testing::Test {
protected:
    void AddFood(const std::string& name, const History& history) {
        Members(diary.doc).m_foods.emplace_back(name).m_history = history.codes;
    }
    void AddSymptom(const std::string& name, const History& history) {
        Members(diary.doc).m_symptoms.emplace_back(name).m_history = history.codes;
    }
    EvidenceReading Read(int dayCount) {
        Members(diary.doc).m_dayCount = dayCount;
        EvidenceOptions plain;  // these cases pin the plain count with its guard
        plain.plain = true;
        return ReadEvidence(diary.doc, plain);
    }
    static const EvidenceEntry& Entry(const EvidenceReading& reading, int food, int symptom,
                                      EvidenceDirection direction) {
        for (const EvidenceEntry& entry : reading.entries)
            if (entry.food == food && entry.symptom == symptom && entry.direction == direction)
                return entry;
        throw std::runtime_error("no such entry");
    }

    FakeDiary diary;
};

constexpr auto Worse = EvidenceDirection::Worse;
constexpr auto Better = EvidenceDirection::Better;

}  // namespace

// Only pairs whose both days were lived count: the oldest lived slot is 50 - min(days, 50),
// and the current day (slot 49) has no next day. The food is eaten on every slot and the
// symptom is worse after every odd pair, so each window gives its own counts.
TEST_F(Evidence, CountsOnlyThePairsOfLivedDays) {
    History symptom;
    for (int t = 1; t < Slots - 1; t += 2) symptom.NextDay(t, 'w');
    AddFood("Everyday", History().EatPairs(0, Slots));
    AddFood("Old", History().EatPairs(0, 38));  // eaten only before the last 12 days
    AddSymptom("Headache", symptom);
    const struct {
        int dayCount, livedDays, pairs, worse, oldEaten;
    } cases[] = {
        {0, 0, 0, 0, 0},    {1, 1, 0, 0, 0},      {2, 2, 1, 0, 0},       {12, 12, 11, 5, 0},
        {13, 13, 12, 6, 1}, {50, 50, 49, 24, 38}, {200, 50, 49, 24, 38},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("day count " + std::to_string(c.dayCount));
        const EvidenceReading reading = Read(c.dayCount);
        EXPECT_EQ(reading.livedDays, c.livedDays);
        ASSERT_EQ(reading.entries.size(), 4u);
        const EvidenceEntry& everyday = Entry(reading, 0, 0, Worse);
        EXPECT_EQ(everyday.daysEaten, c.pairs);
        EXPECT_EQ(everyday.nextWorse, c.worse);
        EXPECT_EQ(everyday.nextNoChange, c.pairs - c.worse);
        EXPECT_EQ(everyday.otherDays, 0);
        const EvidenceEntry& old = Entry(reading, 1, 0, Worse);
        EXPECT_EQ(old.daysEaten, c.oldEaten);
        EXPECT_EQ(old.otherDays, c.pairs - c.oldEaten);
        EXPECT_EQ(old.word == EvidenceWord::TooFewDays, c.oldEaten < 3);
    }
}

// Entries come symptom by symptom, then food by food, worse before better; counts are the
// same in both directions and only the p value and word follow the direction.
TEST_F(Evidence, ReadsEachDirectionOnItsOwnAndCountsUpperCaseYAsEaten) {
    const struct {
        char eatenCode;
        char rating;
        EvidenceWord worseWord, betterWord;
    } cases[] = {
        {'y', 'w', EvidenceWord::Strong, EvidenceWord::NoClearLink},
        {'Y', 'w', EvidenceWord::Strong, EvidenceWord::NoClearLink},
        {'y', 'b', EvidenceWord::NoClearLink, EvidenceWord::Strong},
        {'Y', 'b', EvidenceWord::NoClearLink, EvidenceWord::Strong},
        {'x', 'w', EvidenceWord::TooFewDays, EvidenceWord::TooFewDays},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string("eaten code ") + c.eatenCode + ", rating " + c.rating);
        Members(diary.doc).m_foods.clear();
        Members(diary.doc).m_symptoms.clear();
        AddFood("Bread", History().EatPairs(0, Slots));
        History cheese, rash = History().NextDay(5, c.rating == 'w' ? 'b' : 'w');
        for (int t : {10, 20, 30, 40, 45}) cheese.Eat(t, c.eatenCode), rash.NextDay(t, c.rating);
        AddFood("Cheese", cheese);
        AddSymptom("Headache", History());
        AddSymptom("Rash", rash);
        const EvidenceReading reading = Read(50);
        ASSERT_EQ(reading.entries.size(), 8u);
        for (std::size_t i = 0; i < reading.entries.size(); ++i) {  // i is symptom, food, way
            EXPECT_EQ(reading.entries[i].symptom, static_cast<int>(i / 4));
            EXPECT_EQ(reading.entries[i].food, static_cast<int>(i / 2 % 2));
            EXPECT_EQ(reading.entries[i].direction, i % 2 ? Better : Worse);
        }
        const EvidenceEntry& worse = Entry(reading, 1, 1, Worse);
        const EvidenceEntry& better = Entry(reading, 1, 1, Better);
        EXPECT_EQ(worse.word, c.worseWord);
        EXPECT_EQ(better.word, c.betterWord);
        const int eaten = c.eatenCode == 'x' ? 0 : 5;
        for (const EvidenceEntry* entry : {&worse, &better}) {
            EXPECT_EQ(entry->daysEaten, eaten);
            EXPECT_EQ(entry->nextWorse, c.rating == 'w' ? eaten : 0);
            EXPECT_EQ(entry->nextBetter, c.rating == 'b' ? eaten : 0);
            EXPECT_EQ(entry->otherWorse, c.rating == 'w' ? 5 - eaten : 1);
            EXPECT_EQ(entry->otherBetter, c.rating == 'b' ? 5 - eaten : 1);
            EXPECT_EQ(entry->otherDays, 49 - eaten);
        }
        // The symptom rated nothing but "no change" gives nothing in either direction.
        EXPECT_EQ(Entry(reading, 1, 0, Worse).p, 1.0);
        EXPECT_EQ(Entry(reading, 1, 0, Better).p, 1.0);
    }
}

// The upper tail P(X >= a) of the hypergeometric distribution, against exact values computed
// independently with Python's fractions and math.comb:
//   sum(comb(k, x) * comb(n - k, n1 - x) for x in range(a, min(k, n1) + 1)) / comb(n, n1)
// converted to the nearest double with float(Fraction(...)). A single food is read, so no
// guard round changes its p.
TEST_F(Evidence, PValueIsTheExactHypergeometricUpperTail) {
    const struct {
        int n, k, n1, a;
        double p;
    } cases[] = {
        {49, 10, 6, 4, 0x1.8428e15a22a31p-7},     // 0.011845693621826832
        {49, 20, 12, 8, 0x1.473ea66741a9dp-5},    // 0.039946866041693264
        {11, 4, 3, 2, 0x1.1d7a91d7a91d8p-2},      // 0.2787878787878788
        {49, 24, 24, 18, 0x1.b33a52517a7bap-12},  // 0.00041506559236259186
        {49, 5, 30, 5, 0x1.321a975c41e73p-4},     // 0.07473239064358399
        {49, 8, 12, 8, 0x1.26a37bf9d8076p-20},    // 1.0976143571470282e-06
        {37, 10, 9, 0, 1.0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(std::tuple(c.n, c.k, c.n1, c.a)));
        Members(diary.doc).m_foods.clear();
        Members(diary.doc).m_symptoms.clear();
        const int first = Slots - 1 - c.n;  // the oldest lived pair
        // The food on the first n1 pairs; a of them and k - a later ones followed by "worse".
        AddFood("Cheese", History().EatPairs(first, c.n1));
        AddSymptom("Headache", History()
                                   .NextDays(first, c.a, 'w')
                                   .NextDays(first + c.n1, c.k - c.a, 'w')
                                   .NextDay(first - 1, 'w'));  // not lived: ignored
        const EvidenceReading reading = Read(c.n + 1);
        const EvidenceEntry& entry = Entry(reading, 0, 0, Worse);
        ASSERT_EQ(entry.daysEaten, c.n1);
        ASSERT_EQ(entry.nextWorse, c.a);
        EXPECT_EQ(entry.p, c.p);
    }
}

// A harmless food eaten whenever a strong one was loses "strong" once the strong food's days
// are left out, and names it; of two foods with the same days, the earlier is strong.
TEST_F(Evidence, GuardLeavesOutTheDaysOfStrongFoods) {
    const int strongDays[] = {5, 9, 14, 18, 23, 27, 31, 36, 40, 44};
    History culprit, companion, twin, loner, symptom;
    for (int t : strongDays) {
        culprit.Eat(t);
        companion.Eat(t);
        twin.Eat(t);
        symptom.NextDay(t, 'w');
    }
    companion.Eat(2).Eat(11).Eat(20);       // and on three days of no change
    for (int t : {1, 7, 12, 25, 33, 47}) {  // a second, independent strong food
        loner.Eat(t);
        symptom.NextDay(t, 'w');
    }
    History bystander = History().Eat(3).Eat(16).Eat(29).Eat(38);  // never with a strong food
    const struct {
        const char* name;
        const History* history;
    } foods[] = {{"Companion", &companion},
                 {"Culprit", &culprit},
                 {"Twin", &twin},
                 {"Loner", &loner},
                 {"Bystander", &bystander}};
    for (const auto& food : foods) AddFood(food.name, *food.history);
    AddSymptom("Headache", symptom);

    const EvidenceReading reading = Read(50);
    const struct {
        int food;
        EvidenceWord word;
        std::vector<int> shares;
    } expected[] = {
        {0, EvidenceWord::NoClearLink, {1}},  // its three own days had no change
        {1, EvidenceWord::Strong, {}},        // tighter than the companion; its twin is later
        {2, EvidenceWord::NoClearLink, {1}},  // nothing left of its days
        {3, EvidenceWord::Strong, {}},       {4, EvidenceWord::NoClearLink, {}},
    };
    for (const auto& e : expected) {
        SCOPED_TRACE(foods[e.food].name);
        const EvidenceEntry& entry = Entry(reading, e.food, 0, Worse);
        EXPECT_EQ(entry.word, e.word);
        EXPECT_EQ(entry.sharesDaysWith, e.shares);
    }
    // A strong food keeps the p of the round that made it strong: the culprit in the first
    // round over all 49 pairs (16 worse), 10 of 10: comb(16,10)/comb(49,10), from Python's
    // fractions as above.
    EXPECT_EQ(Entry(reading, 1, 0, Worse).p, 0x1.0594e373aa8fep-20);
    EXPECT_EQ(Entry(reading, 2, 0, Worse).p, 1.0);  // no pair of its own left
    // The loner, strong in the second round over the 39 pairs left (6 worse): 1/comb(39,6).
    EXPECT_EQ(Entry(reading, 3, 0, Worse).p, 1.0 / 3262623.0);
}

// The other words and both directions are read in the evidence command's rows.
TEST(EvidenceText, Some) {
    EXPECT_EQ(EvidenceWordText(EvidenceWord::Some), "some");
}
