#pragma once
// Inclusion, exclusion and unclassified lists from the trained network.

#include "diary/EngineResults.h"
#include "diary/NetworkView.h"

class CGastrologDoc;

// The three lists and every food's score, the unclassified foods placed as unclassifiedAction
// says (0 among the inclusions, 1 among the exclusions, 2 in a list of their own). The test
// passes leave the network as the last food's test pass leaves it.
GeneratedLists GenerateLists(const NetworkView& view, int unclassifiedAction);
GeneratedLists GenerateLists(CGastrologDoc& doc, int unclassifiedAction);
// As above, with the unclassified action the settings hold.
GeneratedLists GenerateLists(CGastrologDoc& doc);
// The lists GenerateLists gives, computed on a copy of the network: the diary stays exactly as
// it is (a report reads them without changing the diary it reports on).
GeneratedLists ListsOf(const CGastrologDoc& doc, int unclassifiedAction);
