#include "engine/EngineCommands.h"

#include "diary/GastrologDoc.h"
#include "engine/ListGeneration.h"
#include "engine/Network.h"
#include "engine/Relationships.h"
#include "engine/TrainingSchedule.h"

void OnUpdateConnections(CGastrologDoc& doc) {
    doc.UpdateConnections(network::TrainingEpochs,
                          [&doc](const EpochDone& afterEpoch) { TrainNetwork(doc, afterEpoch); });
}

void OnGenerateTomorrowsLists(CGastrologDoc& doc) {
    doc.GenerateTomorrowsLists([&doc] { return GenerateLists(doc); });
}

void OnGenerateCurrentLists(CGastrologDoc& doc) {
    doc.GenerateCurrentLists([&doc] { return GenerateLists(doc); });
}

void OnRelateFoodsToSymptoms(CGastrologDoc& doc) {
    doc.RelateFoodsToSymptoms(ComputeRelationships(doc));
}
