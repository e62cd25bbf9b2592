#pragma once

#include <string>

// The full path of a file the program ships (help book, tips.txt, example diary): looked up in
// $GASTROLOG_RES, beside the executable's res/ folder and in the source tree's res/ folder.
// Returns the bare name when it is found nowhere.
std::string ResourcePath(const std::string& name);
