#pragma once

#include <string>

// The full path of a file the program ships (help book, tips.txt, example diary): looked up in
// $GASTROLOG_RES, in res/ beside the executable, in ../share/gastrolog/ from it, and (for a
// program in the build folder) in the source tree's res/ folder.
// Returns the bare name when it is found nowhere.
std::string ResourcePath(const std::string& name);
