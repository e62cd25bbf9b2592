// File > Export...: the format its file name or type asks for, and the very bytes
// `gastrolog-cli export` writes.

#include <gtest/gtest.h>

#include <string>

#include "desktop/ExportCommands.h"
#include "diary/GastrologDoc.h"
#include "tests/cli/CliTestSupport.h"

TEST(ExportCommands, WriteTheBytesOfTheCommandLinesExport) {
    constexpr const char* Example = "../../res/example.glg";
    CGastrologDoc doc;
    ASSERT_EQ(doc.ReadFile(Example).Message(), "");
    ScratchFolder folder;
    const struct {
        const char* name;
        int chosenType;  // the dialog's file type: 0 CSV, 1 JSON
        ExportFormat format;
    } cases[] = {
        {"diary.csv", 0, ExportFormat::Csv},   {"diary.json", 0, ExportFormat::Json},
        {"Diary.JSON", 0, ExportFormat::Json}, {"diary.csv", 1, ExportFormat::Csv},
        {"diary", 1, ExportFormat::Json},      {"diary", 0, ExportFormat::Csv},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.name) + ", type " + std::to_string(c.chosenType));
        const ExportFormat format = ExportFormatFor(c.name, c.chosenType);
        EXPECT_EQ(format, c.format);
        const std::string path = folder.File(c.name);
        EXPECT_EQ(WriteDiaryExport(doc, path, format).Message(), "");
        const CliRun cli =
            RunCli({"export", Example, "--format", format == ExportFormat::Csv ? "csv" : "json"});
        ASSERT_EQ(cli.status, 0) << cli.err;
        EXPECT_GT(cli.out.size(), 1000u);
        EXPECT_EQ(FileText(path), cli.out);
    }
    // A folder that is not there: a message naming the file.
    const std::string failure =
        WriteDiaryExport(doc, folder.File("no/such/folder/diary.csv"), ExportFormat::Csv).Message();
    EXPECT_NE(failure.find("diary.csv"), std::string::npos) << failure;
}
