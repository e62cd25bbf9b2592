#pragma once
// The evidence: for each food, symptom and direction, how often the symptom was worse (or
// better) after the food compared with comparable days, judged by an exact test on every lived
// day of the chosen period. Two rules:
// - the adjusted tally (the default): the days a food is compared with are those on which the
//   other suspects of the symptom pushed the same way (groups), within four-week blocks when
//   the pairs span more than 56 days;
// - the plain count: every other day (within the blocks), with a guard that keeps a food that
//   only rides along with a strong one from being called strong too; on the diary's 50 days
//   this is the tally as it always was.
// Deterministic: the same days give the same bits anywhere.

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "diary/LivedDays.h"
#include "diary/Result.h"

class CGastrologDoc;

enum class EvidenceDirection { Worse, Better };

enum class EvidenceWord { TooFewDays, Strong, Some, NoClearLink };

// The days a food's days are compared with, by the push of the symptom's other suspects.
enum class EvidenceGroup { AllDays, Soothing, Neither, Worsening };

struct EvidencePeriod {
    int lastDays = 0;  // the last N days up to the newest lived day; 0 for no such limit
    std::optional<lived::Date> from;
    std::optional<lived::Date> to;
};

inline constexpr int LongestEvidenceDelay = 7;

struct EvidenceOptions {
    EvidencePeriod period;
    // Days from the food to the symptom: 0 the same day, 1 the next day (the default), ...
    int shortestDelay = 1;
    int longestDelay = 1;
    bool plain = false;  // compare with all other days ("Compare with all other days")
    bool blocks = true;  // four-week blocks when the pairs span more than 56 days

    int DelayCount() const { return longestDelay - shortestDelay + 1; }
};

// Refuses options the engine cannot read, with the problem in a sentence.
Result CheckEvidenceOptions(const EvidenceOptions& options);
// Reads "1-1", "0-3" or "2" into the options' delays; false for anything else.
bool ParseEvidenceDelays(std::string_view text, EvidenceOptions& options);
// "1-1", "0-3".
std::string EvidenceDelaysText(const EvidenceOptions& options);

struct EvidenceEntry {
    int food = 0;     // index into the diary's foods
    int symptom = 0;  // index into the diary's symptoms
    EvidenceDirection direction = EvidenceDirection::Worse;
    int delay = 1;      // the delay the word was taken at (the best one)
    int daysEaten = 0;  // pairs (day, day + delay) with the food eaten on the first
    int nextWorse = 0;
    int nextBetter = 0;
    int nextNoChange = 0;
    int otherDays = 0;  // the other pairs
    int otherWorse = 0;
    int otherBetter = 0;
    // The days it was compared with: the other pairs of the groups and blocks its days fall
    // in, and of them those with the outcome of `direction`.
    int comparableDays = 0;
    int comparableOutcome = 0;
    double p = 1.0;  // multiplied by the number of delays
    EvidenceWord word = EvidenceWord::NoClearLink;
    // Plain: the strong foods whose days the guard left out. Adjusted: the suspects eaten on
    // most of its days. Food indices in diary order.
    std::vector<int> sharesDaysWith;
};

// The counts of one block and group behind an entry.
struct EvidenceStratum {
    int block = 0;  // 0 the oldest
    lived::Date firstDate = 0;
    lived::Date lastDate = 0;
    EvidenceGroup group = EvidenceGroup::AllDays;
    int daysEaten = 0;
    int outcomeEaten = 0;  // of them, followed by the entry's direction
    int otherDays = 0;
    int outcomeOther = 0;
};

struct EvidenceLayout;  // the prepared days behind a reading

struct EvidenceReading {
    EvidenceOptions options;
    int livedDays = 0;  // lived days in the period
    int pairs = 0;      // pairs in use (at the shortest delay)
    int blocks = 1;
    lived::Date firstDate = 0;  // of the period's lived days (when livedDays > 0)
    lived::Date lastDate = 0;
    // One entry per symptom x food x direction: symptoms in diary order, then foods, worse
    // before better.
    std::vector<EvidenceEntry> entries;
    std::shared_ptr<const EvidenceLayout> layout;
};

// The diary's current foods and symptoms (names as stored) and the lived days to read.
struct EvidenceInput {
    std::vector<std::string> foods;
    std::vector<std::string> symptoms;
    lived::LivedDays days;
};

EvidenceReading ReadEvidence(const EvidenceInput& input, const EvidenceOptions& options = {});
// Every lived day the diary knows of: its history file and its own days (lived::EveryLivedDay).
EvidenceReading ReadEvidence(const CGastrologDoc& document, const EvidenceOptions& options = {});
EvidenceInput EvidenceInputOf(const CGastrologDoc& document);

// The counts of the blocks and groups behind one entry of the reading, oldest block first;
// strata without a day of the food are left out.
std::vector<EvidenceStratum> StrataOf(const EvidenceReading& reading, const EvidenceEntry& entry);
