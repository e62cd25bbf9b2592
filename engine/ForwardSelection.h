#pragma once
// The suspects of one symptom: a least-squares line of the day's rating (worse +1, better -1,
// no change 0) on the foods eaten before it, grown by forward selection with a t-test whose
// critical values come from a table, so the same diary gives the same suspects everywhere.

#include <cstdint>
#include <vector>

using BitWords = std::vector<std::uint64_t>;

struct SuspectProblem {
    int wordCount = 0;      // words per column
    BitWords observations;  // the observations in use
    BitWords worse;         // rating +1
    BitWords better;        // rating -1
    // Candidate columns, wordCount words each, one after another; a bit outside
    // `observations` is ignored.
    const std::uint64_t* columns = nullptr;
    int columnCount = 0;
};

struct Suspect {
    int column = 0;
    double weight = 0.0;  // its coefficient in the refit on all suspects (for "worse")
};

inline constexpr int MostSuspects = 8;
inline constexpr int FewestPairsOfACandidate = 3;

// In the order they were chosen. Ties go to the earlier column; a column that would make the
// fit singular is skipped.
std::vector<Suspect> FindSuspects(const SuspectProblem& problem);

// The smallest |t| with a two-sided p below 0.01 at these degrees of freedom (for degrees
// between the table's rows, the row below: never less strict).
double StudentCriticalValue(int degreesOfFreedom);
