#include <gtest/gtest.h>

#include <sstream>

#include "exchange/CsvExport.h"
#include "tests/cli/CliTestSupport.h"
#include "tests/support/DocumentTestAccess.h"

namespace {

// Splits one CSV record (RFC 4180) into its fields.
std::vector<std::string> SplitRecord(const std::string& line) {
    std::vector<std::string> fields(1);
    bool quoted = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (quoted && c == '"' && i + 1 < line.size() && line[i + 1] == '"') {
            fields.back() += '"';
            ++i;
        } else if (c == '"') {
            quoted = !quoted;
        } else if (c == ',' && !quoted) {
            fields.emplace_back();
        } else {
            fields.back() += c;
        }
    }
    return fields;
}

// Records separated by CRLF (the test's names hold no line breaks).
std::vector<std::string> Records(const std::string& text) {
    std::vector<std::string> records;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
        records.push_back(text.substr(start, end - start));
    EXPECT_EQ(start, text.size()) << "the last record ends with CRLF too";
    return records;
}

class CsvExport : public ::testing::Test {
protected:
    void SetUp() override {
        Members(doc).m_symptoms.push_back(MakeSymptom("Headache", History('n', 'w', {0, 49})));
        Members(doc).m_symptoms.push_back(MakeSymptom("Itch, \"mild\"", History('n', 'b', {48})));
        Members(doc).m_foods.push_back(MakeFood("Tea", History('n', 'y', {0, 48, 49})));
        Members(doc).m_foods.push_back(MakeFood("Caf\xE9", History('n', 'Y', {1})));
        Members(doc).m_foods.push_back(MakeFood("=HYPERLINK(\"x\")", History('n', 'y', {2})));
        // Summer time starts in Berlin on March 30, 2025, inside the 50 days.
        CompleteDiary(doc, LocalTime(2025, 4, 10, 0, 30), 60);
        SaveDiary(doc, path);
    }

    // The food named like a formula could not be read back from a file (a name starts with
    // a letter), so the table is written from the diary in memory; the command line's export
    // is checked on a diary without it.
    std::vector<std::vector<std::string>> Table() {
        std::ostringstream out;
        WriteDiaryCsv(doc, out);
        std::vector<std::vector<std::string>> table;
        for (const std::string& record : Records(out.str())) table.push_back(SplitRecord(record));
        return table;
    }

    ScratchFolder folder;
    std::string path = folder.File("diary.glg");
    CGastrologDoc doc;
};

TEST_F(CsvExport, OneRowPerDaySlotWithDateRatingsAndEatenFoods) {
    const auto table = Table();
    ASSERT_EQ(table.size(), 1 + diary::HistoryLength);
    EXPECT_EQ(table[0], (std::vector<std::string>{"Date", "Headache", "Itch, \"mild\"", "Tea",
                                                  "Caf\xC3\xA9", "'=HYPERLINK(\"x\")"}));
    for (const auto& row : table) EXPECT_EQ(row.size(), table[0].size());
    EXPECT_EQ(table[1],
              (std::vector<std::string>{"2025-02-20", "worse", "no change", "1", "0", "0"}));
    EXPECT_EQ(table[2],
              (std::vector<std::string>{"2025-02-21", "no change", "no change", "0", "1", "0"}));
    EXPECT_EQ(table[49],
              (std::vector<std::string>{"2025-04-09", "no change", "better", "1", "0", "0"}));
    EXPECT_EQ(table[50],
              (std::vector<std::string>{"2025-04-10", "worse", "no change", "1", "0", "0"}));
}

TEST_F(CsvExport, DatesRunDayByDayAcrossTheChangeToSummerTime) {
    const auto table = Table();
    ASSERT_EQ(table.size(), 51u);
    for (std::size_t row = 2; row < table.size(); ++row) {
        const std::string previous = table[row - 1][0], current = table[row][0];
        EXPECT_LT(previous, current);
        // The day before each date is the previous row's date.
        const int year = std::stoi(current.substr(0, 4)), month = std::stoi(current.substr(5, 2)),
                  day = std::stoi(current.substr(8, 2));
        const TimeValue dayBefore = LocalTime(year, month, day - 1);
        char text[16];
        const auto seconds = static_cast<std::time_t>(dayBefore);
        std::strftime(text, sizeof text, "%Y-%m-%d", std::localtime(&seconds));
        EXPECT_EQ(previous, text);
    }
}

TEST_F(CsvExport, TheCommandLineWritesTheSameTable) {
    Members(doc).m_foods.pop_back();
    SaveDiary(doc, path);
    const CliRun run = RunCli({"export", path, "--format", "csv"});
    ASSERT_EQ(run.status, 0) << run.err;
    std::vector<std::vector<std::string>> table;
    for (const std::string& record : Records(run.out)) table.push_back(SplitRecord(record));
    EXPECT_EQ(table, Table());
    EXPECT_EQ(table[0].back(), "Caf\xC3\xA9");
}

TEST(CsvField, QuotesOnlyWhatNeedsIt) {
    EXPECT_EQ(CsvField("Red wine"), "Red wine");
    EXPECT_EQ(CsvField("a,b"), "\"a,b\"");
    EXPECT_EQ(CsvField("say \"hi\""), "\"say \"\"hi\"\"\"");
    EXPECT_EQ(CsvField("two\nlines"), "\"two\nlines\"");
    EXPECT_EQ(CsvField("-5"), "'-5");
    EXPECT_EQ(CsvField("@SUM(A1)"), "'@SUM(A1)");
    EXPECT_EQ(CsvField("+1,2"), "\"'+1,2\"");
    EXPECT_EQ(CsvField(""), "");
}

}  // namespace
