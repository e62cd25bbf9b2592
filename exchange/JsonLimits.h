#pragma once
// What import checks before it parses: one pass over the text that builds nothing. The JSON of a
// diary nests four deep at most (the diary, a list of records, a record, a unit's weights), so
// deeper input is refused at once; and input whose parsed form would take more memory than the
// import allows (a long run of empty objects or tiny numbers) is refused before it is built.

#include <cstddef>
#include <string>
#include <string_view>

#include "diary/FileResult.h"

namespace json_limits {

inline constexpr std::size_t DeepestDiaryNesting = 4;

// The memory a parsed document may take for an input of `inputSize` bytes: six times the input
// plus 32 MiB, which leaves the text, the diary and the program itself within ten times the
// input plus 64 MiB.
std::size_t ParsedMemoryBudget(std::size_t inputSize);

// An upper estimate of the memory the parsed form of `text` takes, counting as far as the first
// syntax error, or stopping at the first nesting deeper than DeepestDiaryNesting (`tooDeep`).
struct ParsedEstimate {
    std::size_t bytes = 0;
    bool tooDeep = false;
};
ParsedEstimate EstimateParsedSize(std::string_view text, std::size_t stopAbove);

// Succeeds when the text may be parsed; otherwise says why not, naming `source`. Text that is not
// JSON passes: the parser's own message says what is wrong with it.
FileResult CheckBeforeParsing(std::string_view text, const std::string& source);

}  // namespace json_limits
