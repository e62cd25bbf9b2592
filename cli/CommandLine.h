#pragma once
// gastrolog-cli's command line: parses the arguments and runs one command.

#include <iosfwd>

// Returns the exit status: 0 success, 1 a command failed, 2 the arguments were not understood.
int RunCommandLine(int argc, const char* const* argv, std::ostream& out, std::ostream& err);
