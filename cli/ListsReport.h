#pragma once
// The three generated lists and the foods' scores, for the terminal and as JSON. The document
// must hold the lists of a generation that returned `baseline`.

#include <iosfwd>
#include <string>

#include "exchange/FloatJson.h"

class CGastrologDoc;

// Each non-empty list under the title the page gives it ("3 foods that can be included:"),
// in the page's order (inclusions, unclassified, exclusions), one name a line; then every
// food with its score as the page writes it, in the page's default name order.
void WriteListsText(const CGastrologDoc& doc, double baseline, std::ostream& out);

// {"baseline", "inclusions", "exclusions", "unclassified", "foods": [{"name", "score"}]},
// foods in the diary's order, scores as stored (not multiplied as the page shows them).
Json ListsToJson(const CGastrologDoc& doc, double baseline);

// The page's title of a list of `count` entries: the count, then the singular or plural phrase.
std::string ListTitle(std::size_t count, const char* singular, const char* plural);
