// The adjusted tally, the delay window, the period and the blocks, on lived days written by
// hand; the exact tails against values from exact rational arithmetic.

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <iterator>
#include <random>
#include <regex>

#include "engine/Evidence.h"
#include "engine/EvidenceLayout.h"
#include "engine/EvidenceStrataCounts.h"
#include "engine/EvidenceTails.h"
#include "engine/EvidenceWords.h"
#include "engine/ForwardSelection.h"
#include "tests/support/LivedDiary.h"

namespace {

constexpr auto Worse = EvidenceDirection::Worse;
constexpr auto Better = EvidenceDirection::Better;

double RelativeError(double value, double exact) {
    return std::fabs(value - exact) / exact;
}

}  // namespace

// Exact values from Python's fractions, e.g. for one stratum
//   Fraction(sum(comb(k, x) * comb(n - k, n1 - x) for x in range(a, min(k, n1) + 1)),
//            comb(n, n1))
// and for several the exact convolution of such distributions, each turned into the nearest
// double with float().
TEST(EvidenceTails, AgreeWithExactRationalArithmeticAtAnyNumberOfDays) {
    const struct {
        int n, k, n1, a;
        double exact;
    } singles[] = {
        {49, 12, 14, 12, 9.8630301669180964e-10},
        {50, 20, 25, 10, 0.61335636040648378},
        {66, 30, 33, 25, 6.3012218007946397e-07},
        {365, 90, 120, 45, 7.6177983780927232e-05},
        {365, 100, 100, 20, 0.98280036457348319},
        {365, 40, 60, 25, 1.3357074443896735e-12},
        {365, 180, 200, 110, 0.011037920390073241},
        {1100, 300, 400, 140, 1.103382386435901e-05},
        {1100, 300, 400, 100, 0.91187883809817494},
        {1100, 50, 600, 45, 3.7160768395964553e-08},
        {1100, 500, 550, 400, 8.7072481373955078e-78},
        {1100, 200, 150, 120, 2.4708175629378994e-76},
        {1099, 330, 364, 170, 5.3968934713785954e-17},
    };
    for (const auto& c : singles) {
        SCOPED_TRACE(::testing::PrintToString(std::tuple(c.n, c.k, c.n1, c.a)));
        const StratumCounts counts{c.n, c.k, c.n1, c.a};
        EXPECT_LT(RelativeError(HypergeometricUpperTail(counts), c.exact), 1e-12);
        EXPECT_EQ(UpperTailOfSum({counts}), HypergeometricUpperTail(counts));
    }
    const std::vector<StratumCounts> twenty(20, StratumCounts{28, 7, 7, 3});
    const struct {
        std::vector<StratumCounts> strata;
        double exact;
    } sums[] = {
        {{{28, 8, 10, 6}, {28, 5, 7, 4}, {27, 10, 3, 3}}, 8.8213427263823176e-06},
        // with strata that cannot vary (no outcome; eaten on every pair)
        {{{28, 14, 14, 9}, {28, 10, 20, 8}, {20, 5, 5, 3}, {28, 0, 5, 0}, {28, 28, 3, 3}},
         0.017797468745430714},
        {{{10, 3, 4, 2}, {12, 6, 6, 4}}, 0.12914862914862915},
        {twenty, 8.0765337902963314e-08},
        {{{100, 30, 40, 20}, {80, 10, 20, 8}}, 4.0882367347201632e-07},
    };
    for (const auto& c : sums) EXPECT_LT(RelativeError(UpperTailOfSum(c.strata), c.exact), 1e-12);
    EXPECT_EQ(UpperTailOfSum({{28, 5, 5, 0}, {28, 3, 4, 0}}), 1.0);
    EXPECT_EQ(UpperTailOfSum({}), 1.0);
}

namespace {

// The textbook convolution: partial sum after partial sum in rising order, each distribution's
// values in rising order, every sum of `needed` or more in one number.
double PlainConvolutionTail(const std::vector<StratumCounts>& strata) {
    std::vector<std::vector<double>> distributions;
    int needed = 0;
    for (const StratumCounts& c : strata) {
        const int lowest = std::max(0, c.eaten + c.withOutcome - c.pairs);
        if (lowest == std::min(c.eaten, c.withOutcome)) continue;
        distributions.push_back(HypergeometricProbabilities(c));
        needed += c.both - lowest;
    }
    if (needed <= 0) return 1.0;
    if (distributions.size() == 1) return UpperTailOfSum(strata);  // the single exact test
    std::vector<double> sums(static_cast<std::size_t>(needed) + 1, 0.0);
    sums[0] = 1.0;
    for (const std::vector<double>& probabilities : distributions) {
        std::vector<double> next(sums.size(), 0.0);
        next.back() = sums.back();
        for (std::size_t s = 0; s + 1 < sums.size(); ++s)
            for (std::size_t x = 0; x < probabilities.size(); ++x)
                next[std::min(sums.size() - 1, s + x)] += sums[s] * probabilities[x];
        sums = next;
    }
    return sums.back();
}

}  // namespace

// The sum's tail leaves out the partial sums that cannot reach the observed count and works on
// several of them at once; neither may change a bit. Random strata of every width the evidence
// meets: four-week blocks split in groups, more than 66 pairs without blocks, counts far out.
TEST(EvidenceTails, SumHasTheBitsOfThePlainConvolution) {
    std::mt19937 random(2026);
    const auto draw = [&](int lowest, int highest) {
        return std::uniform_int_distribution<int>(lowest, highest)(random);
    };
    for (int trial = 0; trial < 400; ++trial) {
        std::vector<StratumCounts> strata(static_cast<std::size_t>(draw(2, trial % 4 ? 40 : 120)));
        for (StratumCounts& c : strata) {
            c.pairs = draw(1, trial % 10 == 0 ? 300 : 28);
            c.withOutcome = draw(0, c.pairs);
            c.eaten = draw(0, trial % 3 == 0 ? c.pairs : std::min(c.pairs, 6));
            const int lowest = std::max(0, c.eaten + c.withOutcome - c.pairs);
            const int highest = std::min(c.eaten, c.withOutcome);
            const int mean = c.eaten * c.withOutcome / c.pairs;
            c.both = trial % 5 == 0 ? draw(lowest, highest)
                                    : std::clamp(mean + draw(-1, 2), lowest, highest);
        }
        SCOPED_TRACE("trial " + std::to_string(trial));
        EXPECT_EQ(UpperTailOfSum(strata), PlainConvolutionTail(strata));
    }
}

// A food column's strata counts as the pairs counted one by one: per block, and per group of a
// grouping, over the pairs in use; only the strata the food was eaten in.
TEST(EvidenceStrataCounts, AgreeWithThePairsCountedOneByOne) {
    std::mt19937 random(7);
    LivedDiary diary(150, {"A", "B", "C"}, {"Pain"});
    for (int day = 0; day < diary.days; ++day) {
        for (int food = 0; food < 3; ++food)
            if (random() % (food + 2) == 0) diary.Eat(food, day);
        diary.Rate(0, day, "wbnn"[random() % 4]);
    }
    diary.skipped = {30, 31, 90};
    const EvidenceLayout layout = LayOutDays(diary.Input(), EvidenceOptions{});
    ASSERT_EQ(layout.blocks.size(), 6u);
    EvidenceGrouping grouping;  // every pair in use in one of three groups, at random
    BitWords inUse = layout.observations;
    for (BitWords& group : grouping.groups) group.assign(inUse.size(), 0);
    for (std::size_t w = 0; w < inUse.size(); ++w)
        for (int bit = 0; bit < 64; ++bit) {
            grouping.groups[random() % 3][w] |= std::uint64_t{1} << bit;
            if (random() % 10 == 0) inUse[w] &= ~(std::uint64_t{1} << bit);  // a guard's round
        }
    const BitWords& worse = layout.worse[0];
    const BitWords& better = layout.better[0];
    for (const EvidenceGrouping* groups : std::vector<const EvidenceGrouping*>{nullptr, &grouping})
        for (int food = 0; food < 3; ++food) {
            const std::uint64_t* column = layout.Column(food);
            std::vector<StratumCounts> expectWorse, expectBetter;
            for (const EvidenceBlock& block : layout.blocks)
                for (int group = 0; group < (groups ? 3 : 1); ++group) {
                    StratumCounts w, b;
                    for (int bit = 64 * block.firstWord;
                         bit < 64 * (block.firstWord + block.wordCount); ++bit) {
                        const auto word = static_cast<std::size_t>(bit / 64);
                        const auto mask = std::uint64_t{1} << (bit % 64);
                        if (!(inUse[word] & mask)) continue;
                        if (groups &&
                            !(groups->groups[static_cast<std::size_t>(group)][word] & mask))
                            continue;
                        const bool eaten = column[word] & mask;
                        ++w.pairs;
                        w.eaten += eaten;
                        w.withOutcome += (worse[word] & mask) != 0;
                        b.withOutcome += (better[word] & mask) != 0;
                        w.both += eaten && (worse[word] & mask);
                        b.both += eaten && (better[word] & mask);
                    }
                    b.pairs = w.pairs;
                    b.eaten = w.eaten;
                    if (w.eaten == 0) continue;
                    expectWorse.push_back(w);
                    expectBetter.push_back(b);
                }
            const StrataMasks masks(layout, inUse, groups, worse, better);
            std::vector<StratumCounts> gotWorse, gotBetter, worseOnly;
            masks.Count(column, gotWorse, gotBetter);
            masks.CountWorse(column, worseOnly);
            const auto counts = [](const std::vector<StratumCounts>& strata) {
                std::vector<std::tuple<int, int, int, int>> all;
                for (const StratumCounts& c : strata)
                    all.emplace_back(c.pairs, c.withOutcome, c.eaten, c.both);
                return all;
            };
            EXPECT_EQ(counts(gotWorse), counts(expectWorse)) << "food " << food;
            EXPECT_EQ(counts(gotBetter), counts(expectBetter)) << "food " << food;
            EXPECT_EQ(counts(worseOnly), counts(expectWorse)) << "food " << food;
        }
}

TEST(ForwardSelection, StudentTableTakesTheRowBelowBetweenRows) {
    EXPECT_EQ(StudentCriticalValue(10), 3.169273);
    EXPECT_EQ(StudentCriticalValue(65), StudentCriticalValue(60));
    EXPECT_EQ(StudentCriticalValue(100000), 2.576813);
    for (int df = 1; df < 6000; ++df)
        ASSERT_GE(StudentCriticalValue(df), StudentCriticalValue(df + 1)) << df;
}

// Trigger makes Bloating worse the next day, Soother better; eaten together they cancel. The
// plain count compares the trigger's days with all others and misses it; the adjusted tally
// compares them within the groups of the soother's push and finds it.
TEST(AdjustedTally, FindsATriggerMaskedByASootherAndNotItsRiderOrTwin) {
    LivedDiary diary(60, {"Rider", "Trigger", "Soother", "Twin", "Tea"}, {"Bloating"});
    int day = 0;
    for (int i = 0; i < 12; ++i, day += 2) diary.Eat(1, day).Eat(2, day);  // together: no change
    for (int i = 0; i < 6; ++i, day += 2) diary.Eat(1, day).Eat(0, day).Rate(0, day, 'w');
    for (int i = 0; i < 9; ++i, day += 2) diary.Eat(2, day).Rate(0, day, 'b');
    diary.Eat(0, 1).Eat(0, 3).Eat(0, 5).Eat(0, 7);  // the rider alone: no change
    diary.Rate(0, 55, 'w').Rate(0, 57, 'b');
    for (int d = 0; d < 60; ++d)
        if (diary.eaten[static_cast<std::size_t>(d)].count(1)) diary.Eat(3, d);  // the twin
    diary.Eat(4, 9).Eat(4, 11);                                                  // twice only

    const EvidenceReading plain = ReadEvidence(diary.Input(), PlainCount());
    const EvidenceReading adjusted = ReadEvidence(diary.Input());
    EXPECT_NE(EntryOf(plain, 1, 0, Worse).word, EvidenceWord::Strong);
    const EvidenceEntry& trigger = EntryOf(adjusted, 1, 0, Worse);
    EXPECT_EQ(trigger.word, EvidenceWord::Strong);
    EXPECT_EQ(trigger.nextWorse, 6);
    EXPECT_EQ(trigger.daysEaten, 18);
    EXPECT_EQ(EntryOf(adjusted, 2, 0, Better).word, EvidenceWord::Strong);
    EXPECT_NE(EntryOf(adjusted, 0, 0, Worse).word, EvidenceWord::Strong);  // the rider
    const EvidenceEntry& twin = EntryOf(adjusted, 3, 0, Worse);
    EXPECT_NE(twin.word, EvidenceWord::Strong);  // the fit cannot take both; ties to the earlier
    EXPECT_EQ(twin.sharesDaysWith, (std::vector<int>{1, 2}));  // eaten on most of its days
    EXPECT_EQ(EntryOf(adjusted, 4, 0, Worse).word, EvidenceWord::TooFewDays);
    // The sentence and the groups behind it.
    const EvidenceNames names{"Trigger", "Bloating"};
    EXPECT_EQ(EvidenceSentence(names, trigger),
              "Trigger \xE2\x86\x92 Bloating worse (strong). After Trigger, Bloating was worse "
              "on 6 of 18 days; on comparable days " +
                  std::to_string(trigger.comparableOutcome) + " of " +
                  std::to_string(trigger.comparableDays) + ".");
    int eaten = 0;
    for (const EvidenceStratum& stratum : StrataOf(adjusted, trigger)) {
        eaten += stratum.daysEaten;
        EXPECT_NE(stratum.group, EvidenceGroup::AllDays);
    }
    EXPECT_EQ(eaten, trigger.daysEaten);
}

// The least-squares weights against normal equations solved here by Gaussian elimination, the
// groups against a count pair by pair from those weights, and p against a convolution written
// here in long double: on diaries drawn at random with several foods acting both ways.
TEST(AdjustedTally, GroupsWeightsAndPAgreeWithAnIndependentCount) {
    for (unsigned seed : {1u, 2u, 3u}) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        std::mt19937 random(seed);
        LivedDiary diary(50, {"A", "B", "C", "D", "E", "F", "G", "H"}, {"Pain"});
        const double effect[] = {1.2, -1.0, 0.8, 0, 0, 0, -0.7, 0};
        for (int d = 0; d < 50; ++d) {
            double push = std::uniform_real_distribution<double>(-0.8, 0.8)(random);
            for (int f = 0; f < 8; ++f)
                if (random() % 3 == 0) {
                    diary.Eat(f, d);
                    push += effect[f];
                }
            diary.Rate(0, d, push > 0.5 ? 'w' : push < -0.5 ? 'b' : 'n');
        }
        const EvidenceReading reading = ReadEvidence(diary.Input());
        const EvidenceLayout& layout = *reading.layout;
        const std::vector<Suspect>& suspects = layout.suspects[0].suspects;
        ASSERT_FALSE(suspects.empty());
        // Normal equations of [1, suspects] over the 49 pairs (day d, day d + 1).
        const std::size_t size = suspects.size() + 1;
        std::vector<std::vector<long double>> system(size, std::vector<long double>(size + 1));
        const auto x = [&](std::size_t column, int d) -> long double {
            return column == 0 ? 1.0L
                               : diary.eaten[static_cast<std::size_t>(d)].count(
                                     suspects[column - 1].column) != 0;
        };
        for (int d = 0; d + 1 < 50; ++d) {
            const char r = diary.ratings[static_cast<std::size_t>(d + 1)][0];
            const long double y = r == 'w' ? 1 : r == 'b' ? -1 : 0;
            for (std::size_t i = 0; i < size; ++i) {
                for (std::size_t j = 0; j < size; ++j) system[i][j] += x(i, d) * x(j, d);
                system[i][size] += x(i, d) * y;
            }
        }
        for (std::size_t i = 0; i < size; ++i)
            for (std::size_t r = 0; r < size; ++r)
                if (r != i) {
                    const long double factor = system[r][i] / system[i][i];
                    for (std::size_t c = i; c <= size; ++c) system[r][c] -= factor * system[i][c];
                }
        for (std::size_t s = 0; s < suspects.size(); ++s)
            EXPECT_NEAR(suspects[s].weight,
                        static_cast<double>(system[s + 1][size] / system[s + 1][s + 1]), 1e-9);
        // Every food's groups and p.
        for (int food = 0; food < 8; ++food) {
            for (const EvidenceDirection direction : {Worse, Better}) {
                const char outcome = direction == Worse ? 'w' : 'b';
                StratumCounts groups[3]{};
                for (int d = 0; d + 1 < 50; ++d) {
                    double push = 0.0;
                    for (const Suspect& suspect : suspects)
                        if (suspect.column != food &&
                            diary.eaten[static_cast<std::size_t>(d)].count(suspect.column))
                            push += suspect.weight;
                    StratumCounts& group = groups[push < -0.25 ? 0 : push > 0.25 ? 2 : 1];
                    const bool ate = diary.eaten[static_cast<std::size_t>(d)].count(food) != 0;
                    const bool then = diary.ratings[static_cast<std::size_t>(d + 1)][0] == outcome;
                    group.pairs += 1;
                    group.withOutcome += then;
                    group.eaten += ate;
                    group.both += ate && then;
                }
                const EvidenceEntry& entry = EntryOf(reading, food, 0, direction);
                for (const EvidenceStratum& stratum : StrataOf(reading, entry)) {
                    const StratumCounts& mine = groups[static_cast<int>(stratum.group) - 1];
                    EXPECT_EQ(stratum.daysEaten, mine.eaten);
                    EXPECT_EQ(stratum.outcomeEaten, mine.both);
                    EXPECT_EQ(stratum.otherDays, mine.pairs - mine.eaten);
                    EXPECT_EQ(stratum.outcomeOther, mine.withOutcome - mine.both);
                }
                // The convolution of the three groups' distributions, term by term.
                std::vector<long double> sum{1.0L};
                int observed = 0;
                for (const StratumCounts& g : groups) {
                    observed += g.both;
                    const auto choose = [](int n, int r) {
                        long double value = 1;
                        if (r < 0 || r > n) return 0.0L;
                        for (int i = 1; i <= r; ++i) value = value * (n - r + i) / i;
                        return value;
                    };
                    std::vector<long double> next(sum.size() + static_cast<std::size_t>(g.eaten));
                    for (std::size_t s = 0; s < sum.size(); ++s)
                        for (int v = 0; v <= g.eaten; ++v)
                            next[s + static_cast<std::size_t>(v)] +=
                                sum[s] * choose(g.withOutcome, v) *
                                choose(g.pairs - g.withOutcome, g.eaten - v) /
                                choose(g.pairs, g.eaten);
                    sum = next;
                }
                long double tail = 0;
                for (std::size_t s = static_cast<std::size_t>(observed); s < sum.size(); ++s)
                    tail += sum[s];
                if (entry.daysEaten >= 3) {
                    EXPECT_NEAR(entry.p, static_cast<double>(tail), 1e-12 + 1e-9 * entry.p)
                        << "food " << food;
                }
            }
        }
    }
}

// A column that makes the fit singular is skipped: a twin, and a food eaten exactly on the
// days of two others that never meet. Of two equal columns the earlier is taken.
TEST(AdjustedTally, SkipsSingularColumnsAndBreaksTiesToTheEarlierFood) {
    LivedDiary diary(50, {"Union", "First", "Second", "FirstTwin"}, {"Pain"});
    for (int d = 0; d < 48; d += 4) {
        diary.Eat(1, d).Eat(3, d).Eat(0, d).Rate(0, d, 'w');
        diary.Eat(2, d + 2).Eat(0, d + 2).Rate(0, d + 2, 'b');
    }
    const EvidenceReading reading = ReadEvidence(diary.Input());
    std::vector<int> chosen;
    for (const Suspect& suspect : reading.layout->suspects[0].suspects)
        chosen.push_back(suspect.column);
    // First explains most; then Union and Second explain the rest equally well (Union = First
    // + Second), and the tie goes to the earlier, Union. Second is then singular, and so is
    // the twin from the start.
    EXPECT_EQ(chosen, (std::vector<int>{1, 0}));
    EXPECT_EQ(EntryOf(reading, 1, 0, Worse).word, EvidenceWord::Strong);
    EXPECT_NE(EntryOf(reading, 3, 0, Worse).word, EvidenceWord::Strong);
}

// A food acting two days later is found only with the delay window; its p is the p at that
// delay times the number of delays, and the word is taken at the best delay.
TEST(AdjustedTally, DelayWindowFindsALaterTriggerAndMultipliesP) {
    LivedDiary diary(56, {"Bread", "Cabbage", "Rice"}, {"Bloating"});
    for (int d = 0; d < 56; d += 3) diary.Eat(1, d).Rate(0, d, 'w', 2);
    for (int d = 1; d < 56; d += 2) diary.Eat(0, d);
    for (int d = 0; d < 56; d += 5) diary.Eat(2, d);
    diary.Rate(0, 30, 'b');
    EvidenceOptions nextDay, window, atTwo;
    ASSERT_TRUE(ParseEvidenceDelays("0-3", window));
    ASSERT_TRUE(ParseEvidenceDelays("2", atTwo));
    EXPECT_FALSE(ParseEvidenceDelays("3-1", window));
    EXPECT_FALSE(ParseEvidenceDelays("0-8", window));  // the longest delay is 7
    EXPECT_FALSE(ParseEvidenceDelays("x", window));
    EXPECT_NE(EntryOf(ReadEvidence(diary.Input(), nextDay), 1, 0, Worse).word,
              EvidenceWord::Strong);
    const EvidenceReading inWindow = ReadEvidence(diary.Input(), window);
    const EvidenceEntry& found = EntryOf(inWindow, 1, 0, Worse);
    EXPECT_EQ(found.word, EvidenceWord::Strong);
    EXPECT_EQ(found.delay, 2);
    // At delay 2 alone there are more pairs (the window needs days 0-3 before lived) and no
    // factor of 4: a smaller p.
    const EvidenceReading two = ReadEvidence(diary.Input(), atTwo);
    EXPECT_LT(4 * EntryOf(two, 1, 0, Worse).p, found.p);
    const EvidenceStratum stratum{0, 0, 0, EvidenceGroup::Neither, 4, 3, 10, 1};
    for (const auto& [delay, words] :
         {std::pair{0, "3 of 4 with Cabbage"}, std::pair{1, "3 of 4 after Cabbage"},
          std::pair{2, "3 of 4 2 days after Cabbage"}})
        EXPECT_EQ(StratumSentence({"Cabbage", "Bloating"}, stratum, false, delay),
                  std::string("Days with neither: ") + words + ", 1 of 10 otherwise.");
    EXPECT_NE(EvidenceSentence({"Cabbage", "Bloating"}, found).find("worse 2 days later (strong)"),
              std::string::npos);
    // The plain count judges each delay on its own: over the same pairs (from day 1 at delay
    // 2 alone, from day 3 in the window 0-3) p is exactly four times that of delay 2 alone.
    EvidenceOptions plainWindow = window, plainTwo = atTwo;
    plainWindow.plain = plainTwo.plain = true;
    plainTwo.period.from = LivedDiary::Start + 1;
    const EvidenceReading plainInWindow = ReadEvidence(diary.Input(), plainWindow);
    const EvidenceReading plainAtTwo = ReadEvidence(diary.Input(), plainTwo);
    EXPECT_EQ(plainInWindow.pairs, plainAtTwo.pairs);
    EXPECT_EQ(EntryOf(plainInWindow, 1, 0, Worse).delay, 2);
    EXPECT_EQ(EntryOf(plainInWindow, 1, 0, Worse).p, 4 * EntryOf(plainAtTwo, 1, 0, Worse).p);
}

// Each delay's suspects are chosen among the foods at that delay alone, so that each delay is
// read as the day after is and multiplying p by the number of delays keeps luck in check
// (chosen among every food at every delay, chance suspects tripled the false "strong" words
// of the window 0-3 in 50-day diaries). Salt makes Bloating worse the same day: Rice's same
// days are grouped by Salt's push, its days before by nothing.
TEST(AdjustedTally, EachDelayHasSuspectsOfItsOwn) {
    LivedDiary diary(60, {"Salt", "Rice"}, {"Bloating"});
    for (int d = 0; d < 60; ++d) {
        if (d % 4 < 2) diary.Eat(0, d).Rate(0, d, 'w', 0);
        if (d % 2 == 0) diary.Eat(1, d);
    }
    EvidenceOptions window;
    ASSERT_TRUE(ParseEvidenceDelays("0-1", window));
    const EvidenceReading reading = ReadEvidence(diary.Input(), window);
    for (const auto& [delay, withSaltsPush] : {std::pair{0, true}, std::pair{1, false}}) {
        EvidenceEntry rice = EntryOf(reading, 1, 0, Worse);
        rice.delay = delay;
        bool worsening = false;
        for (const EvidenceStratum& stratum : StrataOf(reading, rice))
            worsening = worsening || stratum.group == EvidenceGroup::Worsening;
        EXPECT_EQ(worsening, withSaltsPush) << delay;
    }
}

// Over 120 days a food eaten only in a bad spell looks strong against all other days; within
// four-week blocks it is compared with the spell's other days. The blocks' counts add up to
// the table's totals.
TEST(Blocks, CompareWithinFourWeeksAndAddUpToTheTotals) {
    LivedDiary diary(120, {"Soup", "Everyday"}, {"Cough"});
    for (int d = 0; d < 28; ++d) {
        if (d % 2 == 0) diary.Eat(0, d);
        if (d % 5 != 0) diary.Rate(0, d, 'w');
    }
    for (int d = 0; d < 120; d += 2) diary.Eat(1, d);
    for (int d = 40; d < 120; d += 9) diary.Rate(0, d, 'b');
    EvidenceOptions unblocked = PlainCount();
    unblocked.blocks = false;
    EXPECT_EQ(EntryOf(ReadEvidence(diary.Input(), unblocked), 0, 0, Worse).word,
              EvidenceWord::Strong);
    for (const EvidenceOptions& options : {PlainCount(), EvidenceOptions{}}) {
        const EvidenceReading reading = ReadEvidence(diary.Input(), options);
        EXPECT_EQ(reading.blocks, 5);  // 119 pairs, the oldest block shorter
        EXPECT_NE(EntryOf(reading, 0, 0, Worse).word, EvidenceWord::Strong);
        const EvidenceEntry& everyday = EntryOf(reading, 1, 0, Better);
        int eaten = 0, outcome = 0, blocksSeen = 0;
        for (const EvidenceStratum& stratum : StrataOf(reading, everyday)) {
            eaten += stratum.daysEaten;
            outcome += stratum.outcomeEaten;
            blocksSeen = std::max(blocksSeen, stratum.block + 1);
            EXPECT_LE(stratum.lastDate - stratum.firstDate, 27);
        }
        EXPECT_EQ(eaten, everyday.daysEaten);
        EXPECT_EQ(outcome, everyday.nextBetter);
        EXPECT_EQ(blocksSeen, 5);
    }
    // One block when the period is 56 days or less.
    EvidenceOptions recent;
    recent.period.lastDays = 57;
    const EvidenceReading last = ReadEvidence(diary.Input(), recent);
    EXPECT_EQ(last.livedDays, 57);
    EXPECT_EQ(last.pairs, 56);
    EXPECT_EQ(last.blocks, 1);
}

// The period and gaps: a pair needs both its days lived and in the period.
TEST(EvidencePeriod, ChoosesDaysAndAGapBreaksAPair) {
    LivedDiary diary(40, {"Tea"}, {"Pain"});
    diary.skipped = {10, 25};
    const EvidenceInput input = diary.Input();
    const struct {
        EvidencePeriod period;
        int livedDays, pairs;
    } cases[] = {
        {{}, 38, 35},  // 39 pairs less the two on each side of each gap
        {{10, {}, {}}, 10, 9},
        {{0, LivedDiary::Start + 20, {}}, 19, 17},
        {{0, LivedDiary::Start + 5, LivedDiary::Start + 14}, 9, 7},
        {{0, LivedDiary::Start + 50, {}}, 0, 0},
        {{2147483647, {}, {}}, 38, 35},  // more days than there are: all of them
    };
    for (const auto& c : cases) {
        const EvidenceReading reading = ReadEvidence(input, {c.period});
        EXPECT_EQ(reading.livedDays, c.livedDays);
        EXPECT_EQ(reading.pairs, c.pairs);
        EXPECT_EQ(reading.entries.size(), 2u);
    }
    EvidenceOptions wrong;
    wrong.period.from = LivedDiary::Start + 3;
    wrong.period.to = LivedDiary::Start + 2;
    EXPECT_EQ(CheckEvidenceOptions(wrong).GetCode(), Result::Code::Invalid);
}

// The ranking and words every presentation uses.
TEST(EvidenceWords, RankStrongThenSomeWorseFirst) {
    EvidenceReading reading;
    const auto add = [&](int food, EvidenceDirection direction, EvidenceWord word) {
        EvidenceEntry entry;
        entry.food = food;
        entry.direction = direction;
        entry.word = word;
        reading.entries.push_back(entry);
    };
    add(0, Better, EvidenceWord::Some);
    add(1, Better, EvidenceWord::Strong);
    add(2, Worse, EvidenceWord::TooFewDays);
    add(3, Worse, EvidenceWord::Some);
    add(4, Worse, EvidenceWord::Strong);
    std::vector<int> order;
    for (const EvidenceEntry* link : RankedLinks(reading)) order.push_back(link->food);
    EXPECT_EQ(order, (std::vector<int>{4, 1, 3, 0}));
    EXPECT_EQ(StrongestWordOf(reading, 2), EvidenceWord::NoClearLink);
    EXPECT_EQ(StrongestWordOf(reading, 1), EvidenceWord::Strong);
    EXPECT_LT(EvidenceWordRank(EvidenceWord::NoClearLink),
              EvidenceWordRank(EvidenceWord::TooFewDays));
    EXPECT_EQ(TooFewDaysSentence("Pineapple", 2),
              "Pineapple: eaten on 2 days; not enough to tell.");
}

// The window, the command line and the report show the engine's texts; the help page "How sure
// can I be?" states the same, word for word.
TEST(EvidenceWords, HelpPageStatesTheSameExplanation) {
    std::ifstream file("../../res/help/how-sure.html");
    ASSERT_TRUE(file) << "the help page";
    std::string help{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    help = std::regex_replace(help, std::regex("\\s+"), " ");
    for (const std::string& text :
         {EvidenceExplanation(false), std::string(EvidenceWhatToDo),
          std::string(NoClearLinkIsNotSafe),
          "in about one diary in " + std::to_string(DiariesPerFalseStrong) + ",",
          std::string("\"strong\" still appeared in 9 of 100 diaries")})
        EXPECT_NE(help.find(text), std::string::npos) << text;
}
