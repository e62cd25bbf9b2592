#include "desktop/dialogs/RestoreBackupDlg.h"

#include <wx/button.h>
#include <wx/sizer.h>
#include <wx/stattext.h>

#include <algorithm>

#include "desktop/dialogs/ControlIds.h"
#include "desktop/dialogs/HelpContext.h"
#include "desktop/dialogs/PlainButton.h"

namespace {

enum Column { DiaryColumn, DateColumn, KindColumn, DaysColumn, FoodsColumn, SymptomsColumn };

wxString Count(const backups::Backup& copy, std::size_t number) {
    return copy.readable ? wxString::Format("%zu", number) : wxString("-");
}

}  // namespace

RestoreBackupDlg::RestoreBackupDlg(wxWindow* parent, std::vector<backups::Backup> copies)
    : wxDialog(parent, wxID_ANY, "Restore from Backup", wxDefaultPosition, wxDefaultSize,
               wxDEFAULT_DIALOG_STYLE | wxRESIZE_BORDER),
      m_copies(std::move(copies)) {
    const int gap = FromDIP(10);
    auto* explanation = new wxStaticText(
        this, wxID_ANY,
        "Before the first save of each day Gastrolog keeps a copy of the diary as it was:\n"
        "the newest daily copies, and the newest of each recent week and month.\n"
        "The copy you choose opens as a new, untitled diary: save it under a name of your "
        "choice.");
    m_list = new wxListView(this, control::BackupList, wxDefaultPosition,
                            wxSize(FromDIP(560), FromDIP(240)), wxLC_REPORT | wxLC_SINGLE_SEL);
    FillList();

    auto* buttons = new wxBoxSizer(wxHORIZONTAL);
    auto* open = NewPlainButton(this, wxID_OK, "&Open");
    open->SetDefault();
    buttons->Add(open, 0, wxRIGHT, gap);
    buttons->Add(NewPlainButton(this, wxID_CANCEL, "Cancel"), 0, wxRIGHT, gap);
    buttons->Add(new wxButton(this, wxID_HELP, "&Help"));

    auto* top = new wxBoxSizer(wxVERTICAL);
    top->Add(explanation, 0, wxALL, gap);
    top->Add(m_list, 1, wxEXPAND | wxLEFT | wxRIGHT, gap);
    top->Add(buttons, 0, wxALIGN_RIGHT | wxALL, gap);
    SetSizerAndFit(top);

    Bind(wxEVT_LIST_ITEM_ACTIVATED, &RestoreBackupDlg::OnActivated, this);
    Bind(
        wxEVT_BUTTON, [](wxCommandEvent&) { ShowHelpContext(HelpContextId); }, wxID_HELP);
    BindHelpKey(this, HelpContextId);
    CentreOnParent();
}

void RestoreBackupDlg::FillList() {
    m_list->AppendColumn("Diary");
    m_list->AppendColumn("Date");
    m_list->AppendColumn("Kept as");
    m_list->AppendColumn("Days", wxLIST_FORMAT_RIGHT);
    m_list->AppendColumn("Foods", wxLIST_FORMAT_RIGHT);
    m_list->AppendColumn("Symptoms", wxLIST_FORMAT_RIGHT);
    for (const backups::Backup& copy : m_copies) {
        const long row =
            m_list->InsertItem(m_list->GetItemCount(), wxString::FromUTF8(copy.diaryName));
        m_list->SetItem(row, DateColumn, copy.date);
        m_list->SetItem(row, KindColumn, wxString(std::string(backups::KindName(copy.kind))));
        m_list->SetItem(
            row, DaysColumn,
            copy.readable ? wxString::Format("%d", copy.dayCount) : wxString("cannot be read"));
        m_list->SetItem(row, FoodsColumn, Count(copy, copy.foods));
        m_list->SetItem(row, SymptomsColumn, Count(copy, copy.symptoms));
    }
    for (int column = DiaryColumn; column <= SymptomsColumn; ++column)
        m_list->SetColumnWidth(column, wxLIST_AUTOSIZE_USEHEADER);
    if (!m_copies.empty()) m_list->Select(0);
    // Every column shows whole; rows beyond a screenful scroll.
    const wxSize best = m_list->GetBestSize();
    m_list->SetMinSize(wxSize(std::max(FromDIP(560), best.x),
                              std::max(FromDIP(240), std::min(best.y, FromDIP(480)))));
}

bool RestoreBackupDlg::TransferDataFromWindow() {
    const long row = m_list->GetFirstSelected();
    if (row < 0 || static_cast<std::size_t>(row) >= m_copies.size()) return false;
    m_chosen = m_copies[static_cast<std::size_t>(row)].path;
    return true;
}

void RestoreBackupDlg::OnActivated(wxListEvent&) {
    if (Validate() && TransferDataFromWindow()) EndModal(wxID_OK);
}

std::vector<backups::Backup> BackupsForRestore(const std::string& root,
                                               const std::string& currentDiary, int keptDays) {
    std::vector<backups::Backup> copies = backups::ListAll(root, RealFileSystem(), keptDays);
    if (currentDiary.empty()) return copies;
    const std::string folder = backups::FolderFor(root, currentDiary, RealFileSystem()) + "/";
    std::stable_partition(copies.begin(), copies.end(), [&folder](const backups::Backup& copy) {
        return copy.path.starts_with(folder);
    });
    return copies;
}
