// File > Export...: the format its file name or type asks for, and the very bytes
// `gastrolog-cli export` writes.

#include <gtest/gtest.h>
#include <wx/testing.h>

#include <filesystem>
#include <string>

#include "desktop/ExportCommands.h"
#include "desktop/dialogs/ReportPeriodDlg.h"
#include "diary/GastrologDoc.h"
#include "tests/cli/CliTestSupport.h"
#include "tests/gui/support/ShellTestSupport.h"
#include "tests/support/ReaderTools.h"

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
    // A folder that is not there: a message naming the folder.
    const std::string failure =
        WriteDiaryExport(doc, folder.File("no/such/folder/diary.csv"), ExportFormat::Csv).Message();
    EXPECT_NE(failure.find("no/such/folder was not found"), std::string::npos) << failure;
}

// Neither export replaces a diary: the open one (under its own name) and any other are refused
// with a message, and nothing is written.
TEST(ExportCommands, NeverReplaceADiary) {
    ScratchFolder folder;
    const std::string diary = folder.File("diary.glg"), other = folder.File("other.glg");
    std::filesystem::copy_file("../../res/example.glg", diary);
    std::filesystem::copy_file("../../res/example.glg", other);
    const std::string original = FileText(diary);
    CGastrologDoc doc;
    ASSERT_EQ(doc.ReadFile(diary).Message(), "");
    doc.SetPathName(diary);
    for (const std::string& target : {diary, other}) {
        const FileResult refused = WriteDiaryExport(doc, target, ExportFormat::Csv);
        EXPECT_EQ(refused.Message(),
                  target + " is a Gastrolog diary; choose another name for the report.");
        wxTEST_DIALOG(
            WriteReport(nullptr, doc, "diary.glg", wxPrintData(), wxString::FromUTF8(target)),
            ExpectMessage(target + " is a Gastrolog diary; choose another name for "
                                   "the report.",
                          wxID_OK));
        EXPECT_EQ(FileText(target), original);
    }
}

namespace {

// Chooses From-To: first a date that is no date (refused, the dialog stays), then 2025-03-01
// to 2025-03-04; keeps the period the dialog gives.
class ChooseFromTo : public wxExpectModalBase<ReportPeriodDlg, ChooseFromTo> {
public:
    explicit ChooseFromTo(ReportPeriod& chosen) : m_chosen(&chosen) {}

protected:
    int OnInvoked(ReportPeriodDlg* dialog) const override {
        EXPECT_EQ(dialog->Choice()->GetSelection(), 0);  // all days unless chosen otherwise
        EXPECT_FALSE(dialog->FromEdit()->IsEnabled());
        dialog->Choice()->SetSelection(4);
        dialog->FromEdit()->SetValue("2025-02-30");
        EXPECT_FALSE(dialog->TransferDataFromWindow());
        dialog->FromEdit()->SetValue("2025-03-01");
        dialog->ToEdit()->SetValue("2025-03-04");
        EXPECT_TRUE(dialog->TransferDataFromWindow());
        *m_chosen = dialog->Period();
        return wxID_OK;
    }

private:
    ReportPeriod* m_chosen;
};

}  // namespace

// Export Report asks for the period before the file, and the report covers the days chosen.
TEST(ExportCommands, ExportReportAsksForThePeriodFirst) {
    CGastrologDoc doc;
    ASSERT_EQ(doc.ReadFile("../../res/example.glg").Message(), "");
    ReportPeriod chosen;
    wxTEST_DIALOG(ExportReport(nullptr, doc, "example.glg", wxPrintData()), ChooseFromTo(chosen),
                  wxExpectModal<wxFileDialog>(wxString(), wxID_CANCEL));
    ScratchFolder folder;
    const std::string target = folder.File("period.pdf");
    WriteReport(nullptr, doc, "example.glg", wxPrintData(), wxString::FromUTF8(target), chosen);
    EXPECT_NE(PdfText(target, 1).find("Saturday, March 01, 2025 to Tuesday, March 04, 2025"),
              std::string::npos);
}
