#include "cli/EvidenceChoice.h"

#include <tuple>
#include <utility>

namespace {

Result Refused(std::string problem) {
    return {Result::Code::Invalid, std::move(problem)};
}

}  // namespace

Result ReadEvidenceChoice(const EvidenceChoice& choice, EvidenceOptions& options) {
    options = {};
    options.plain = choice.plain;
    if (!ParseEvidenceDelays(choice.delays, options))
        return Refused(
            "--delays must be like 1-1 or 0-3 (days from the food to the symptom, 0 to " +
            std::to_string(LongestEvidenceDelay) + ")");
    for (const auto& [text, date, name] : {std::tuple{&choice.from, &options.period.from, "--from"},
                                           std::tuple{&choice.to, &options.period.to, "--to"}}) {
        if (text->empty()) continue;
        lived::Date parsed = 0;
        if (!lived::ParseDate(*text, parsed))
            return Refused(std::string(name) + " must be a date like 2025-03-01, not \"" + *text +
                           "\"");
        *date = parsed;
    }
    if (choice.days < 0) return Refused("--days must be a positive number of days");
    options.period.lastDays = choice.days;
    return CheckEvidenceOptions(options);
}
