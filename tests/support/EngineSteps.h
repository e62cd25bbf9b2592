#pragma once
// The engine's readings kept by the diary, as the Action commands keep them.

#include "diary/GastrologDoc.h"
#include "engine/ListGeneration.h"
#include "engine/Relationships.h"

// Generates the lists, lets the diary keep them and returns the baseline.
inline double GenerateAndKeepLists(CGastrologDoc& doc, int unclassifiedAction) {
    GeneratedLists lists = GenerateLists(doc, unclassifiedAction);
    const double baseline = lists.baseline;
    doc.SetGeneratedLists(std::move(lists));
    return baseline;
}

inline double GenerateAndKeepLists(CGastrologDoc& doc) {
    GeneratedLists lists = GenerateLists(doc);
    const double baseline = lists.baseline;
    doc.SetGeneratedLists(std::move(lists));
    return baseline;
}

inline void ComputeAndKeepRelationships(CGastrologDoc& doc) {
    doc.SetRelationships(ComputeRelationships(doc));
}
