#include "diary/SymptomLine.h"

#include "diary/DiaryConstants.h"

namespace symptom_line {

std::optional<Rated> Read(std::string_view line) {
    if (line.size() < diary::RatingSuffixLength) return std::nullopt;
    const std::size_t nameLength = line.size() - diary::RatingSuffixLength;
    const std::string_view suffix = line.substr(nameLength);
    const std::string_view name = line.substr(0, nameLength);
    if (suffix == diary::SuffixWorse) return Rated{name, diary::Worse};
    if (suffix == diary::SuffixBetter) return Rated{name, diary::Better};
    if (suffix == diary::SuffixNoChange) return Rated{name, diary::NoChange};
    return std::nullopt;
}

std::string_view NameOf(std::string_view line) {
    const auto rated = Read(line);
    return rated ? rated->name : line;
}

std::string_view SuffixFor(char rating) {
    if (rating == diary::Better) return diary::SuffixBetter;
    if (rating == diary::Worse) return diary::SuffixWorse;
    return diary::SuffixNoChange;
}

std::string WithRating(std::string_view line, char rating) {
    return std::string(NameOf(line)) + std::string(SuffixFor(rating));
}

}  // namespace symptom_line
