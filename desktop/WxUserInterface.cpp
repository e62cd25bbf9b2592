#include "desktop/WxUserInterface.h"

#include <wx/app.h>
#include <wx/msgdlg.h>
#include <wx/utils.h>

#include "desktop/dialogs/DayListDlg.h"
#include "desktop/dialogs/DiaryText.h"
#include "desktop/dialogs/RelationshipsDlg.h"
#include "desktop/dialogs/UpdateSymptomsDlg.h"

namespace {

const char* const Caption = "Gastrolog";

}  // namespace

wxWindow* WxUserInterface::Parent() const {
    if (m_parent) return m_parent.get();
    return wxTheApp ? wxTheApp->GetTopWindow() : nullptr;
}

bool WxUserInterface::AskYesNo(std::string_view question) {
    return wxMessageBox(FromDiaryText(question), Caption, wxYES_NO | wxICON_QUESTION, Parent()) ==
           wxYES;
}

void WxUserInterface::Notify(std::string_view message) {
    wxMessageBox(FromDiaryText(message), Caption, wxOK | wxICON_EXCLAMATION, Parent());
}

void WxUserInterface::Inform(std::string_view message) {
    wxMessageBox(FromDiaryText(message), Caption, wxOK | wxICON_INFORMATION, Parent());
}

void WxUserInterface::ReportError(std::string_view message) {
    wxMessageBox(FromDiaryText(message), Caption, wxOK | wxICON_ERROR, Parent());
}

UserInterface::Choice WxUserInterface::AskChoice(std::string_view question, std::string_view first,
                                                 std::string_view second) {
    wxMessageDialog dialog(Parent(), FromDiaryText(question), Caption,
                           wxYES_NO | wxCANCEL | wxICON_WARNING);
    dialog.SetYesNoCancelLabels(FromDiaryText(first), FromDiaryText(second), "Cancel");
    switch (dialog.ShowModal()) {
        case wxID_YES:
            return Choice::First;
        case wxID_NO:
            return Choice::Second;
        default:
            return Choice::Cancel;
    }
}

UserInterface::Choice WxUserInterface::AskChoiceOfThree(std::string_view question,
                                                        std::string_view first,
                                                        std::string_view second,
                                                        std::string_view third) {
    // The third way is the dialog's help button, which GTK places apart from the others.
    wxMessageDialog dialog(Parent(), FromDiaryText(question), Caption,
                           wxYES_NO | wxCANCEL | wxHELP | wxICON_WARNING);
    dialog.SetYesNoCancelLabels(FromDiaryText(first), FromDiaryText(second), "Cancel");
    dialog.SetHelpLabel(FromDiaryText(third));
    switch (dialog.ShowModal()) {
        case wxID_YES:
            return Choice::First;
        case wxID_NO:
            return Choice::Second;
        case wxID_HELP:
            return Choice::Third;
        default:
            return Choice::Cancel;
    }
}

bool WxUserInterface::ShowSymptomDialog(const std::string& dayLabel, StringList& symptomLines) {
    CUpdateSymptomsDlg dialog(Parent());
    dialog.m_pSymptomList = &symptomLines;
    dialog.m_strDay = FromDiaryText(dayLabel);
    return dialog.ShowModal() == wxID_OK;
}

bool WxUserInterface::ShowDayListDialog(const std::string& dayLabel, StringList& masterList,
                                        StringList& dayList) {
    CDayListDlg dialog(Parent());
    dialog.m_pMasterList = &masterList;
    dialog.m_pDayList = &dayList;
    dialog.m_strDay = FromDiaryText(dayLabel);
    return dialog.ShowModal() == wxID_OK;
}

void WxUserInterface::ShowRelationships(const StringList& symptoms, const StringList& bestFoods,
                                        const StringList& worstFoods) {
    CRelationshipsDlg dialog(Parent(), &symptoms, &bestFoods, &worstFoods);
    dialog.ShowModal();
}

void WxUserInterface::BeginWaitCursor() {
    wxBeginBusyCursor();
}

void WxUserInterface::EndWaitCursor() {
    wxEndBusyCursor();
}
