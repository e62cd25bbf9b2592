#include "engine/EvidencePairs.h"

#include "engine/EvidenceLayout.h"

namespace {

bool BitAt(const std::uint64_t* words, int bit) {
    return (words[bit / 64] >> (bit % 64)) & 1u;
}

}  // namespace

std::vector<EvidencePair> EvidencePairsOf(const EvidenceReading& reading, int food, int symptom,
                                          int delay) {
    std::vector<EvidencePair> pairs;
    if (!reading.layout) return pairs;
    const EvidenceLayout& layout = *reading.layout;
    const int delayIndex = delay - layout.shortestDelay;
    if (food < 0 || food >= layout.foods || symptom < 0 || symptom >= layout.symptoms ||
        delayIndex < 0 || delayIndex >= layout.delays)
        return pairs;
    const std::uint64_t* eaten = layout.Column(food * layout.delays + delayIndex);
    const auto s = static_cast<std::size_t>(symptom);
    std::size_t block = 0;
    pairs.reserve(layout.observationDates.size());
    for (std::size_t i = 0; i < layout.observationDates.size(); ++i) {
        const lived::Date judged = layout.observationDates[i];
        const int bit = layout.observationBits[i];
        while (block + 1 < layout.blocks.size() && judged > layout.blocks[block].lastDate) ++block;
        const char later = BitAt(layout.worse[s].data(), bit)    ? diary::Worse
                           : BitAt(layout.better[s].data(), bit) ? diary::Better
                                                                 : diary::NoChange;
        pairs.push_back({BitAt(eaten, bit), later, judged - delay, static_cast<int>(block)});
    }
    return pairs;
}

std::vector<EvidenceBlockDates> EvidenceBlocksOf(const EvidenceReading& reading) {
    std::vector<EvidenceBlockDates> blocks;
    if (!reading.layout) return blocks;
    for (const EvidenceBlock& block : reading.layout->blocks)
        blocks.push_back({block.firstDate, block.lastDate});
    return blocks;
}
