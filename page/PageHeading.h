#pragma once
// The heading line of the page.

#include <string>

#include "diary/Ports.h"

class CGastrologDoc;

// The heading: "\"title\".    " followed by the lists phrase and the day number.
std::string HeadingText(const CGastrologDoc& doc);
