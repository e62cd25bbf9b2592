#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <regex>
#include <string>
#include <vector>

#include "engine/Evidence.h"
#include "exchange/JsonExport.h"
#include "page/ReportContent.h"
#include "tests/cli/CliTestSupport.h"
#include "tests/support/EngineSteps.h"
#include "tests/support/ReaderTools.h"

namespace {

using ::testing::HasSubstr;
using ::testing::Not;

constexpr const char* Example = "../../res/example.glg";

// The text with every run of blanks and line ends as one blank, so wrapped lines read on.
std::string Flattened(const std::string& text) {
    return std::regex_replace(text, std::regex("\\s+"), " ");
}

// A page rendered as a grey picture, as a reader's viewer would show it.
struct Rendered {
    int width = 0, height = 0;
    std::vector<unsigned char> grey;

    int DarkIn(int left, int top, int right, int bottom) const {
        int dark = 0;
        for (int y = top; y < bottom; ++y)
            for (int x = left; x < right; ++x)
                dark += grey[static_cast<std::size_t>(y * width + x)] < 128;
        return dark;
    }
};

Rendered RenderPage(const std::string& pdf, int page) {
    const std::string pgm =
        CommandOutput("pdftoppm -gray -r 40 -f " + std::to_string(page) + " -l " +
                      std::to_string(page) + " '" + pdf + "' 2>/dev/null");
    Rendered rendered;
    int maximum = 0, consumed = 0;
    if (std::sscanf(pgm.c_str(), "P5 %d %d %d%n", &rendered.width, &rendered.height, &maximum,
                    &consumed) != 3)
        return rendered;
    const std::size_t start = static_cast<std::size_t>(consumed) + 1;
    rendered.grey.assign(pgm.begin() + static_cast<long>(start), pgm.end());
    rendered.grey.resize(static_cast<std::size_t>(rendered.width * rendered.height), 255);
    return rendered;
}

class ReportCommand : public ::testing::Test {
protected:
    std::string Report(const std::string& diary, const std::string& name,
                       std::vector<std::string> flags = {}) {
        const std::string pdf = folder.File(name);
        std::vector<std::string> arguments{"report", diary, "-o", pdf};
        arguments.insert(arguments.end(), flags.begin(), flags.end());
        const CliRun run = RunCli(arguments);
        EXPECT_EQ(run.status, 0) << run.err;
        return pdf;
    }

    // The example with many more foods, each eaten on a pattern of its own, built through the
    // diary's JSON exchange.
    std::string LargeDiary(int extraFoods) {
        CGastrologDoc doc;
        EXPECT_EQ(doc.ReadFile(Example).Message(), "");
        Json json = DiaryToJson(doc);
        const Json model = json["foods"][0];
        for (int i = 0; i < extraFoods; ++i) {
            Json food = model;
            char name[64];
            std::snprintf(name, sizeof name, "Extra food %03d with a very long name", i);
            std::string history(50, 'n');
            for (int day = i % 7; day < 50; day += 3 + i % 5) history[day] = 'y';
            food["name"] = name;
            food["history"] = history;
            json["foods"].push_back(food);
            json["foodNames"].push_back(name);
        }
        const std::string jsonPath = folder.File("large.json");
        const std::string diary = folder.File("large.glg");
        WriteText(jsonPath, json.dump());
        const CliRun run = RunCli({"import", jsonPath, "-o", diary});
        EXPECT_EQ(run.status, 0) << run.err;
        return diary;
    }

    ScratchFolder folder;
};

TEST_F(ReportCommand, ReaderFindsThePeriodEveryStrongLinkAndTheLists) {
    const std::string pdf = Report(Example, "example.pdf");
    const std::string text = Flattened(PdfText(pdf));
    CGastrologDoc doc;
    ASSERT_EQ(doc.ReadFile(Example).Message(), "");
    EXPECT_THAT(text, HasSubstr("Period: Thursday, January 16, 2025 to Thursday, March 06, 2025"));
    const EvidenceReading reading = ReadEvidence(doc);
    int strong = 0;
    for (const EvidenceEntry& entry : reading.entries) {
        if (entry.word != EvidenceWord::Strong) continue;
        ++strong;
        EXPECT_THAT(text, HasSubstr(Flattened(LinkText(doc, entry))));
    }
    EXPECT_GE(strong, 3) << "the example's planted foods";
    GenerateAndKeepLists(doc, 0);
    EXPECT_THAT(text, HasSubstr("Should be excluded (" + std::to_string(doc.Exclusions().size()) +
                                "): " + doc.Exclusions().front().m_name));
    EXPECT_THAT(text,
                HasSubstr("Can be included (" + std::to_string(doc.Inclusions().size()) + ")"));
    for (const std::string& part :
         {EvidenceExplanation(false), ListsExplanation(), std::string("Symptoms over time"),
          std::string("What was eaten"), std::string("Day-after relationships")})
        EXPECT_THAT(text, HasSubstr(part));
}

// On each paper and for a diary of 500 foods: two runs give the same bytes, and every page is
// the paper's size, carries the diary's name and its number, and is neither blank nor cut off.
TEST_F(ReportCommand, EveryPageIsNamedNumberedWholeAndTheSameOnEachRun) {
    const struct {
        int extraFoods;
        std::string paper, paperInfo;
        int fewestPages, mostPages;
    } cases[] = {
        {0, "a4", "(A4)", 4, 4},
        {0, "letter", "(letter)", 4, 5},
        // 500 rows of the grid do not fit on two pages, and each grid page keeps the symptoms.
        {470, "a4", "(A4)", 8, 14},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.extraFoods) + " foods more, " + c.paper);
        const std::string diary = c.extraFoods ? LargeDiary(c.extraFoods) : Example;
        const std::string name = c.extraFoods ? "large.glg" : "example.glg";
        const std::string pdf = Report(diary, "first.pdf", {"--paper", c.paper});
        const std::string first = FileText(pdf);
        EXPECT_EQ(first, FileText(Report(diary, "second.pdf", {"--paper", c.paper})));
        const std::string info = CommandOutput("pdfinfo '" + pdf + "'");
        EXPECT_THAT(info, HasSubstr(c.paperInfo));
        const int pages = PdfPageCount(pdf);
        EXPECT_GE(pages, c.fewestPages);
        EXPECT_LE(pages, c.mostPages);
        const std::string text = Flattened(PdfText(pdf));
        for (int page = 1; page <= pages; ++page) {
            SCOPED_TRACE("page " + std::to_string(page));
            EXPECT_THAT(text, HasSubstr(name + " - Gastrolog report - page " +
                                        std::to_string(page) + " of " + std::to_string(pages)));
            const Rendered rendered = RenderPage(pdf, page);
            ASSERT_GT(rendered.width, 0);
            const int w = rendered.width, h = rendered.height, edgeX = w / 40, edgeY = h / 40;
            EXPECT_GT(rendered.DarkIn(0, 0, w, h), 500) << "blank";
            EXPECT_EQ(rendered.DarkIn(0, 0, edgeX, h), 0) << "left edge";
            EXPECT_EQ(rendered.DarkIn(w - edgeX, 0, w, h), 0) << "right edge";
            EXPECT_EQ(rendered.DarkIn(0, h - edgeY, w, h), 0) << "bottom edge";
        }
        // Every food has its row, its long name cut short.
        for (int i = 0; i < c.extraFoods; i += 47) {
            char shortened[64];
            std::snprintf(shortened, sizeof shortened, "Extra food %03d with ...", i);
            EXPECT_THAT(text, HasSubstr(shortened));
        }
        EXPECT_THAT(text, Not(HasSubstr("a very long name")));
    }
}

// --from and --to reach the period (which days it takes is decided in the core) and its text;
// the day-after tally counts the same days: a few days find no link the whole diary finds.
TEST_F(ReportCommand, FromAndToChooseThePeriod) {
    const std::string noLink = "No food has a strong link or some link with a symptom so far.";
    const struct {
        std::vector<std::string> flags;
        std::string period;
        bool links;
    } cases[] = {
        {{}, "Period: Thursday, January 16, 2025 to Thursday, March 06, 2025", true},
        {{"--from", "2025-03-01", "--to", "2025-03-04"},
         "Period: Saturday, March 01, 2025 to Tuesday, March 04, 2025 (4 days kept",
         false},
        {{"--from", "2024-01-01", "--to", "2024-12-31"},
         "Period: no day has been lived yet.",
         false},
    };
    for (const auto& c : cases) {
        const std::string text = Flattened(PdfText(Report(Example, "period.pdf", c.flags), 1));
        EXPECT_THAT(text, HasSubstr(c.period));
        if (c.links)
            EXPECT_THAT(text, Not(HasSubstr(noLink))) << c.period;
        else
            EXPECT_THAT(text, HasSubstr(noLink)) << c.period;
    }
}

// A diary's name is the file system's UTF-8, not a diary name in Windows-1252: it reads as it
// is on the first page's title and on every page's footer.
TEST_F(ReportCommand, NonAsciiDiaryNamesReadAsTheyAreOnEveryPage) {
    // (The machine has no Japanese font, so only names its fonts can show are read back here.)
    for (const std::string name :
         {"Tagebuch \u00DCbelkeit.glg", "Cr\u00E8me \u2014 \u0141\u00F3d\u017A.glg"}) {
        const std::string diary = folder.File(name);
        std::filesystem::copy_file(Example, diary);
        const std::string pdf = Report(diary, name + ".pdf");
        EXPECT_THAT(Flattened(PdfText(pdf, 1)), HasSubstr("Gastrolog report: " + name));
        const int pages = PdfPageCount(pdf);
        ASSERT_GT(pages, 1);
        for (int page = 1; page <= pages; ++page)
            EXPECT_THAT(Flattened(PdfText(pdf, page)),
                        HasSubstr(name + " - Gastrolog report - page " + std::to_string(page)))
                << name << ", page " << page;
    }
}

}  // namespace
