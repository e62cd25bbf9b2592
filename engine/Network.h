#pragma once
// The food–symptom network: reset, one training pattern in four steps, and the training run.
// Each works on the network's members in place, through the document's view of them or a view
// of copies.

#include "diary/EngineResults.h"
#include "diary/NetworkView.h"

class CGastrologDoc;

void ResetNetwork(const NetworkView& view);
void ForwardPass(const NetworkView& view, int day, int testFood);
void BackPropagate(const NetworkView& view, int targetDay);
void AccumulateGradients(const NetworkView& view);
void ApplyChanges(const NetworkView& view);

void ResetNetwork(CGastrologDoc& doc);
void ForwardPass(CGastrologDoc& doc, int day, int testFood);
void BackPropagate(CGastrologDoc& doc, int targetDay);
void AccumulateGradients(CGastrologDoc& doc);
void ApplyChanges(CGastrologDoc& doc);
// The 5000 training epochs on the history from a reset network (no window, no cycle state),
// calling afterEpoch (when given) after each epoch.
void TrainNetwork(CGastrologDoc& doc, const EpochDone& afterEpoch = {});
