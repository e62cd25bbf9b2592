#pragma once
// How far each reading can be trusted, measured on simulated diaries whose links are known:
// the exclusion and inclusion lists, Relate Foods to Symptoms and the day-after tally, first
// on diaries with planted links, then on the same diaries with every link cut.

#include <array>
#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

#include "diary/Result.h"

struct AssessmentOptions {
    int seeds = 0;  // diaries made with seeds 1 to seeds
    int days = 60;
    int foods = 30;
    int symptoms = 5;
};

// Refuses options that cannot be assessed, with the problem in a sentence.
Result CheckAssessmentOptions(const AssessmentOptions& options);

enum class AssessedReading { Exclusions, Inclusions, Relate, EvidenceStrong, EvidenceSome };
inline constexpr std::size_t AssessedReadingCount = 5;

// "Exclusion list", "Inclusion list", ...
std::string AssessedReadingName(AssessedReading reading);

struct ReadingTally {
    int links = 0;       // planted links this reading could name
    int linksFound = 0;  // of them, named
    int verdicts = 0;    // everything the reading named
    int trueVerdicts = 0;
    int harmlessVerdicts = 0;  // verdicts on foods that do nothing at all
    int diariesWithVerdict = 0;
};

using ReadingTallies = std::array<ReadingTally, AssessedReadingCount>;

struct Assessment {
    int diaries = 0;
    ReadingTallies withLinks{};
    ReadingTallies withoutLinks{};
    int worseningFoods = 0;          // planted worsening links
    int worseningFoodsIncluded = 0;  // of them, foods the inclusion list holds
};

// Lives through the diaries (training on the first and last day only; the saved diaries are
// the same as with training every day). `progress` is told of each diary done. A diary that
// cannot be lived through stops the assessment; the message names its seed.
Result RunAssessment(const AssessmentOptions& options, Assessment& assessment,
                     const std::function<void(int done, int total)>& progress = {});

void WriteAssessment(const AssessmentOptions& options, const Assessment& assessment,
                     std::ostream& out);
