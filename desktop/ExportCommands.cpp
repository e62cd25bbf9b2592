#include "desktop/ExportCommands.h"

#include <wx/filedlg.h>
#include <wx/filename.h>
#include <wx/msgdlg.h>
#include <wx/utils.h>

#include "desktop/dialogs/ReportPeriodDlg.h"
#include "diary/DiaryConstants.h"
#include "diary/GastrologDoc.h"
#include "diary/LivedDays.h"
#include "diary/OutputFile.h"
#include "exchange/JsonExport.h"
#include "exchange/JsonImport.h"
#include "page/CairoFile.h"
#include "page/ReportFile.h"

namespace {

// Reports a result that has something to say; true when the file was written.
bool Reported(wxWindow* parent, const Result& result) {
    if (!result.Message().empty())
        wxMessageBox(wxString::FromUTF8(result.Message()), "Gastrolog", wxOK | wxICON_EXCLAMATION,
                     parent);
    return result.Succeeded();
}

// The path chosen, empty when the user cancelled; chosenType the file type's index.
wxString AskForFile(wxWindow* parent, const wxString& title, const wxString& name,
                    const wxString& wildcard, int* chosenType = nullptr) {
    wxFileDialog dialog(parent, title, wxEmptyString, name, wildcard,
                        wxFD_SAVE | wxFD_OVERWRITE_PROMPT);
    if (dialog.ShowModal() != wxID_OK) return {};
    if (chosenType) *chosenType = dialog.GetFilterIndex();
    return dialog.GetPath();
}

}  // namespace

ExportFormat ExportFormatFor(const wxString& path, int chosenType) {
    const wxString extension = wxFileName(path).GetExt().Lower();
    if (extension == "json") return ExportFormat::Json;
    if (extension == "csv") return ExportFormat::Csv;
    return chosenType == 1 ? ExportFormat::Json : ExportFormat::Csv;
}

FileResult WriteDiaryExport(const CGastrologDoc& doc, const wxString& path, ExportFormat format) {
    return output_file::Write(path.utf8_string(), DiaryExportText(doc, format), doc.GetPathName());
}

void ExportDiaryData(wxWindow* parent, const CGastrologDoc& doc, const wxString& diaryName) {
    const wxString base = wxFileName(diaryName).GetName();
    int chosenType = 0;
    const wxString path = AskForFile(parent, "Export", base + ".csv",
                                     "CSV table (*.csv)|*.csv|JSON (*.json)|*.json", &chosenType);
    if (path.empty()) return;
    Reported(parent, WriteDiaryExport(doc, path, ExportFormatFor(path, chosenType)));
}

void ExportReport(wxWindow* parent, const CGastrologDoc& doc, const wxString& diaryName,
                  const wxPrintData& printData) {
    const lived::LivedDays days = lived::EveryLivedDay(doc);
    ReportPeriodDlg periodDialog(parent, days.empty() ? 0 : days.front().date,
                                 days.empty() ? 0 : days.back().date);
    if (periodDialog.ShowModal() != wxID_OK) return;
    const wxString path =
        AskForFile(parent, "Export Report", wxFileName(diaryName).GetName() + " report.pdf",
                   "PDF (*.pdf)|*.pdf");
    if (!path.empty()) WriteReport(parent, doc, diaryName, printData, path, periodDialog.Period());
}

void WriteReport(wxWindow* parent, const CGastrologDoc& doc, const wxString& diaryName,
                 const wxPrintData& printData, const wxString& path, const ReportPeriod& period) {
    const std::string target = path.utf8_string(), diary = doc.GetPathName();
    if (!Reported(parent, output_file::CheckTarget(target, diary))) return;
    wxBusyCursor busy;
    const PaperSize paper =
        printData.GetPaperId() == wxPAPER_LETTER ? PaperSize::Letter : PaperSize::A4;
    const int unclassified = doc.GetSetting(setting::UnclassifiedAction, 0);
    std::string pdf;
    if (!Reported(parent,
                  MakeReport(doc, diaryName.utf8_string(), paper, unclassified, pdf, period)))
        return;
    Reported(parent, output_file::Write(target, pdf, diary));
}
