#pragma once
// A food column's counts in the strata of one reading (its blocks, and the groups within them),
// with the pairs of each stratum and their outcomes laid out once per symptom and grouping, so
// that a column costs three population counts per stratum word.

#include <cstdint>
#include <vector>

#include "engine/EvidenceLayout.h"
#include "engine/EvidenceTails.h"

// The pairs of one stratum in one word of the layout, and those of them with each outcome.
struct StratumPiece {
    int word = 0;
    int stratum = 0;
    std::uint64_t pairs = 0;
    std::uint64_t worse = 0;
    std::uint64_t better = 0;
};

class StrataMasks {
public:
    // The strata of the pairs in `inUse`: per block, and per group of `grouping` when given,
    // in that order. Strata without a pair cannot vary and are left out.
    StrataMasks(const EvidenceLayout& layout, const BitWords& inUse,
                const EvidenceGrouping* grouping, const BitWords& worse, const BitWords& better);

    // The column's counts, with `worse` and with `better` as the outcome, in the strata where
    // the column was eaten (the others add nothing to a count or a tail).
    void Count(const std::uint64_t* column, std::vector<StratumCounts>& worse,
               std::vector<StratumCounts>& better) const;
    // With `worse` as the outcome only (the plain count's guard reads one outcome at a time).
    void CountWorse(const std::uint64_t* column, std::vector<StratumCounts>& worse) const;

private:
    std::vector<StratumPiece> m_pieces;
    std::vector<StratumCounts> m_worse;  // pairs and outcomes; nothing eaten
    std::vector<StratumCounts> m_better;
};
