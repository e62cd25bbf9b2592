#include "engine/EvidenceWords.h"

#include <algorithm>

#include "diary/LivedDays.h"

namespace {

std::string Days(int count) {
    return std::to_string(count) + (count == 1 ? " day" : " days");
}

// "After Milk", "On days with Milk", "2 days after Milk".
std::string AfterFood(const std::string& food, int delay) {
    if (delay == 0) return "on days with " + food;
    if (delay == 1) return "after " + food;
    return std::to_string(delay) + " days after " + food;
}

std::string Capitalised(std::string text) {
    if (!text.empty() && text[0] >= 'a' && text[0] <= 'z')
        text[0] = static_cast<char>(text[0] - 32);
    return text;
}

}  // namespace

std::string_view EvidenceWordText(EvidenceWord word) {
    switch (word) {
        case EvidenceWord::TooFewDays:
            return "too few days";
        case EvidenceWord::Strong:
            return "strong";
        case EvidenceWord::Some:
            return "some";
        case EvidenceWord::NoClearLink:
            return "no clear link";
    }
    return "no clear link";
}

std::string_view EvidenceDirectionText(EvidenceDirection direction) {
    return direction == EvidenceDirection::Worse ? "worse" : "better";
}

std::string EvidenceDelayText(int delay) {
    if (delay == 0) return "the same day";
    if (delay == 1) return "the next day";
    return std::to_string(delay) + " days later";
}

std::string_view EvidenceGroupText(EvidenceGroup group) {
    switch (group) {
        case EvidenceGroup::AllDays:
            return "all days";
        case EvidenceGroup::Soothing:
            return "days with a food that soothes it";
        case EvidenceGroup::Neither:
            return "days with neither";
        case EvidenceGroup::Worsening:
            return "days with a food that worsens it";
    }
    return "all days";
}

int EvidenceWordRank(EvidenceWord word) {
    switch (word) {
        case EvidenceWord::Strong:
            return 0;
        case EvidenceWord::Some:
            return 1;
        case EvidenceWord::NoClearLink:
            return 2;
        case EvidenceWord::TooFewDays:
            return 3;
    }
    return 3;
}

bool IsStrongOrSome(EvidenceWord word) {
    return word == EvidenceWord::Strong || word == EvidenceWord::Some;
}

EvidenceWord StrongestWordOf(const EvidenceReading& reading, int food) {
    EvidenceWord best = EvidenceWord::NoClearLink;
    for (const EvidenceEntry& entry : reading.entries)
        if (entry.food == food && IsStrongOrSome(entry.word) &&
            EvidenceWordRank(entry.word) < EvidenceWordRank(best))
            best = entry.word;
    return best;
}

std::vector<const EvidenceEntry*> RankedLinks(const EvidenceReading& reading) {
    std::vector<const EvidenceEntry*> links;
    for (const EvidenceEntry& entry : reading.entries)
        if (IsStrongOrSome(entry.word)) links.push_back(&entry);
    std::stable_sort(
        links.begin(), links.end(), [](const EvidenceEntry* a, const EvidenceEntry* b) {
            const int rankA = EvidenceWordRank(a->word), rankB = EvidenceWordRank(b->word);
            if (rankA != rankB) return rankA < rankB;
            return a->direction == EvidenceDirection::Worse &&
                   b->direction == EvidenceDirection::Better;
        });
    return links;
}

std::string EvidenceSentence(const EvidenceNames& names, const EvidenceEntry& entry) {
    const int outcome =
        entry.direction == EvidenceDirection::Worse ? entry.nextWorse : entry.nextBetter;
    std::string text = names.food + " " + names.arrow + " " + names.symptom + " " +
                       std::string(EvidenceDirectionText(entry.direction));
    if (entry.delay != 1) text += " " + EvidenceDelayText(entry.delay);
    text += " (" + std::string(EvidenceWordText(entry.word)) + "). ";
    text += Capitalised(AfterFood(names.food, entry.delay)) + ", " + names.symptom + " was " +
            std::string(EvidenceDirectionText(entry.direction)) + " on " + std::to_string(outcome) +
            " of " + Days(entry.daysEaten) + "; on comparable days " +
            std::to_string(entry.comparableOutcome) + " of " +
            std::to_string(entry.comparableDays) + ".";
    return text;
}

std::string StratumSentence(const EvidenceNames& names, const EvidenceStratum& stratum,
                            bool withDates, int delay) {
    std::string text = Capitalised(std::string(EvidenceGroupText(stratum.group)));
    if (withDates)
        text +=
            ", " + lived::DateText(stratum.firstDate) + " to " + lived::DateText(stratum.lastDate);
    text += ": " + std::to_string(stratum.outcomeEaten) + " of " +
            std::to_string(stratum.daysEaten) + " " +
            (delay == 0 ? "with " + names.food : AfterFood(names.food, delay)) + ", " +
            std::to_string(stratum.outcomeOther) + " of " + std::to_string(stratum.otherDays) +
            " otherwise.";
    return text;
}

std::string TooFewDaysSentence(const std::string& food, int daysEaten) {
    return food + ": eaten on " + Days(daysEaten) + "; not enough to tell.";
}

std::string EvidenceExplanation(bool plain) {
    const std::string compared =
        plain ? "compares that with all your other days"
              : "compares that with comparable days: days on which the other foods that seem to "
                "act on that symptom pushed it the same way";
    return "For each food, Gastrolog counts how often a symptom was worse (or better) on the day "
           "after you ate it, and " +
           compared +
           ", within the same four weeks when the days span more than eight weeks. 'Strong' means "
           "a difference that luck alone would produce less than once in 1,000 times for that "
           "one food and symptom; 'some' less than once in 100, a hint to watch, not a verdict. "
           "A diary holds hundreds of foods and symptoms, so even in diaries where no food does "
           "anything a 'strong' turns up in about one diary in " +
           std::to_string(DiariesPerFalseStrong) + ", and over a year in about one in four.";
}
