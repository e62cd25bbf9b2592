#pragma once
// Which history positions one training epoch uses, and how many epochs a run has.

#include "diary/DiaryConstants.h"

namespace network {

inline constexpr int TrainingEpochs = 5000;
inline constexpr int HistoryLength = static_cast<int>(diary::HistoryLength);

// The oldest position that holds a recorded day. A pattern pairs the foods of day d − 1 with
// the ratings of day d, for d from the current day down to FirstUsablePosition + 1.
inline int FirstUsablePosition(int dayCount) {
    if (dayCount <= 0) return HistoryLength;
    if (dayCount >= HistoryLength) return 0;
    return HistoryLength - dayCount;
}

// The target day of the first (most recent) pattern of an epoch.
inline constexpr int NewestTargetDay = HistoryLength - 1;

}  // namespace network
