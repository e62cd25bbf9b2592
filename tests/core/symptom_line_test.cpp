#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "diary/DiaryConstants.h"
#include "diary/SymptomLine.h"

namespace {

// The symptom dialog once took any line holding a rating word for a rated one and cut 13
// characters off it, while the document looked for a whole suffix at the end. These lines are
// where the two readings parted; the one reading keeps each name whole.
TEST(SymptomLine, ReadsOnlyAWholeSuffixAtTheEnd) {
    struct Case {
        std::string line;
        std::string name;
        std::optional<char> rating;
    };
    const Case cases[] = {
        // Rating words without a suffix: the old dialog cut these names short.
        {"Pain (worse)", "Pain (worse)", std::nullopt},
        {"(better)", "(better)", std::nullopt},
        {"Gut (no change) check", "Gut (no change) check", std::nullopt},
        {"Stomach ache  (worse) ", "Stomach ache  (worse) ", std::nullopt},
        {"Nausea (better)     ", "Nausea (better)     ", std::nullopt},
        // A suffix after a name that holds a rating word: both readings agreed.
        {"Mood (worse)" + std::string(diary::SuffixBetter), "Mood (worse)", diary::Better},
        {"Headache" + std::string(diary::SuffixWorse), "Headache", diary::Worse},
        {"Bloating" + std::string(diary::SuffixNoChange), "Bloating", diary::NoChange},
        {std::string(diary::SuffixWorse), "", diary::Worse},
        {"Headache", "Headache", std::nullopt},
        {"", "", std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("\"" + c.line + "\"");
        const auto rated = symptom_line::Read(c.line);
        ASSERT_EQ(rated.has_value(), c.rating.has_value());
        if (rated) {
            EXPECT_EQ(rated->name, c.name);
            EXPECT_EQ(rated->rating, *c.rating);
        }
        EXPECT_EQ(symptom_line::NameOf(c.line), c.name);
        // Rating a line anew replaces its suffix and keeps the whole name.
        EXPECT_EQ(symptom_line::WithRating(c.line, diary::Worse),
                  c.name + std::string(diary::SuffixWorse));
        EXPECT_EQ(symptom_line::Read(symptom_line::WithRating(c.line, diary::Better))->name,
                  c.name);
    }
}

}  // namespace
