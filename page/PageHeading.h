#pragma once
// The heading line of the page.

#include <string>

#include "diary/Ports.h"

class CGastrologDoc;

// The heading: "\"title\".    " followed by the lists phrase and the day number, in UTF-8:
// the title is the file's name as the file system holds it, which the diary's code page may
// not be able to hold.
std::string HeadingText(const CGastrologDoc& doc);
