#pragma once
// The Action commands that run the engine on the document: the engine computes, the document
// keeps the result and moves its daily cycle on.

class CGastrologDoc;

// Trains the network with the progress window and the wait cursor.
void OnUpdateConnections(CGastrologDoc& doc);
void OnGenerateTomorrowsLists(CGastrologDoc& doc);
void OnGenerateCurrentLists(CGastrologDoc& doc);
void OnRelateFoodsToSymptoms(CGastrologDoc& doc);
