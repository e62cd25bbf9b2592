#include "engine/EvidenceStrataCounts.h"

#include <bit>

#include "engine/TargetClones.h"

// Population counts are most of the work: where the processor has an instruction for them, a
// copy of these loops uses it.
#define GASTROLOG_POPCOUNT_CLONES GASTROLOG_TARGET_CLONES("popcnt", "default")

namespace {

GASTROLOG_POPCOUNT_CLONES void CountBoth(const StratumPiece* pieces, std::size_t count,
                                         const std::uint64_t* column, StratumCounts* worse,
                                         StratumCounts* better) {
    for (std::size_t i = 0; i < count; ++i) {
        const StratumPiece& piece = pieces[i];
        const std::uint64_t eaten = column[piece.word];
        const int inStratum = std::popcount(eaten & piece.pairs);
        worse[piece.stratum].eaten += inStratum;
        better[piece.stratum].eaten += inStratum;
        worse[piece.stratum].both += std::popcount(eaten & piece.worse);
        better[piece.stratum].both += std::popcount(eaten & piece.better);
    }
}

// With blocks every stratum lies in one word, so a stratum is one piece: its counts are
// written straight into the strata the column was eaten in, with no copy to fill in.
GASTROLOG_POPCOUNT_CLONES std::size_t CountOnePieceEach(
    const StratumPiece* pieces, std::size_t count, const std::uint64_t* column,
    const StratumCounts* worseOfPairs, const StratumCounts* betterOfPairs, StratumCounts* worse,
    StratumCounts* better) {
    std::size_t kept = 0;
    for (std::size_t i = 0; i < count; ++i) {
        const StratumPiece& piece = pieces[i];
        const std::uint64_t eaten = column[piece.word];
        const int inStratum = std::popcount(eaten & piece.pairs);
        worse[kept] = worseOfPairs[i];
        better[kept] = betterOfPairs[i];
        worse[kept].eaten = inStratum;
        better[kept].eaten = inStratum;
        worse[kept].both = std::popcount(eaten & piece.worse);
        better[kept].both = std::popcount(eaten & piece.better);
        kept += inStratum > 0 ? 1 : 0;
    }
    return kept;
}

GASTROLOG_POPCOUNT_CLONES void CountOne(const StratumPiece* pieces, std::size_t count,
                                        const std::uint64_t* column, StratumCounts* worse) {
    for (std::size_t i = 0; i < count; ++i) {
        const StratumPiece& piece = pieces[i];
        const std::uint64_t eaten = column[piece.word];
        worse[piece.stratum].eaten += std::popcount(eaten & piece.pairs);
        worse[piece.stratum].both += std::popcount(eaten & piece.worse);
    }
}

}  // namespace

StrataMasks::StrataMasks(const EvidenceLayout& layout, const BitWords& inUse,
                         const EvidenceGrouping* grouping, const BitWords& worse,
                         const BitWords& better) {
    const int groups = grouping ? 3 : 1;
    for (const EvidenceBlock& block : layout.blocks)
        for (int group = 0; group < groups; ++group) {
            StratumCounts worseCounts, betterCounts;
            const auto stratum = static_cast<int>(m_worse.size());
            const std::size_t firstPiece = m_pieces.size();
            for (int w = block.firstWord; w < block.firstWord + block.wordCount; ++w) {
                const auto at = static_cast<std::size_t>(w);
                std::uint64_t pairs = inUse[at];
                if (grouping) pairs &= grouping->groups[static_cast<std::size_t>(group)][at];
                if (pairs == 0) continue;
                const StratumPiece piece{w, stratum, pairs, pairs & worse[at], pairs & better[at]};
                m_pieces.push_back(piece);
                worseCounts.pairs += std::popcount(pairs);
                worseCounts.withOutcome += std::popcount(piece.worse);
                betterCounts.withOutcome += std::popcount(piece.better);
            }
            if (m_pieces.size() == firstPiece) continue;
            betterCounts.pairs = worseCounts.pairs;
            m_worse.push_back(worseCounts);
            m_better.push_back(betterCounts);
        }
}

void StrataMasks::Count(const std::uint64_t* column, std::vector<StratumCounts>& worse,
                        std::vector<StratumCounts>& better) const {
    if (m_pieces.size() == m_worse.size()) {  // every stratum has a piece, so one each
        worse.resize(m_worse.size());
        better.resize(m_better.size());
        const std::size_t kept =
            CountOnePieceEach(m_pieces.data(), m_pieces.size(), column, m_worse.data(),
                              m_better.data(), worse.data(), better.data());
        worse.resize(kept);
        better.resize(kept);
        return;
    }
    worse = m_worse;
    better = m_better;
    CountBoth(m_pieces.data(), m_pieces.size(), column, worse.data(), better.data());
    std::size_t kept = 0;
    for (std::size_t i = 0; i < worse.size(); ++i) {
        worse[kept] = worse[i];
        better[kept] = better[i];
        kept += worse[i].eaten > 0 ? 1 : 0;
    }
    worse.resize(kept);
    better.resize(kept);
}

void StrataMasks::CountWorse(const std::uint64_t* column, std::vector<StratumCounts>& worse) const {
    worse = m_worse;
    CountOne(m_pieces.data(), m_pieces.size(), column, worse.data());
    std::size_t kept = 0;
    for (std::size_t i = 0; i < worse.size(); ++i) {
        worse[kept] = worse[i];
        kept += worse[i].eaten > 0 ? 1 : 0;
    }
    worse.resize(kept);
}
