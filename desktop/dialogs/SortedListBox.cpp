#include "desktop/dialogs/SortedListBox.h"

#include "desktop/dialogs/DiaryText.h"
#include "diary/NameRules.h"
#include "engine/NameOrder.h"

SortedListBox::SortedListBox(wxWindow* parent, wxWindowID id, long style)
    : wxListBox(parent, id, wxDefaultPosition, wxDefaultSize, 0, nullptr,
                style | wxLB_ALWAYS_SB | wxBORDER_THEME) {
    if (style & wxLB_MULTIPLE) {
        Bind(wxEVT_LEFT_DOWN, &SortedListBox::OnToggleClick, this);
        Bind(wxEVT_LEFT_DCLICK, &SortedListBox::OnToggleClick, this);
    }
}

void SortedListBox::OnToggleClick(wxMouseEvent& event) {
    const int row = HitTest(event.GetPosition());
    if (row == wxNOT_FOUND) {
        event.Skip();
        return;
    }
    SetFocus();
    if (event.GetEventType() != wxEVT_LEFT_DCLICK) {
        SetSelection(row, !IsSelected(row));
        return;
    }
    // The first click of the pair has toggled the row already.
    SetSelection(row, true);
    wxCommandEvent activated(wxEVT_LISTBOX_DCLICK, GetId());
    activated.SetEventObject(this);
    activated.SetInt(row);
    activated.SetString(GetString(static_cast<unsigned int>(row)));
    ProcessWindowEvent(activated);
}

void SortedListBox::DeleteRow(unsigned int row) {
    Delete(row);
    if (!HasMultipleSelection()) SetSelection(wxNOT_FOUND);
}

int SortedListBox::AddSorted(const wxString& text) {
    const std::string key = ToDiaryText(text).value_or(std::string());
    // Upper bound: the first row that sorts after the new one.
    unsigned int low = 0;
    unsigned int high = GetCount();
    while (low < high) {
        const unsigned int middle = low + (high - low) / 2;
        const std::string row = ToDiaryText(GetString(middle)).value_or(std::string());
        if (name_order::Compare(key, row) < 0)
            high = middle;
        else
            low = middle + 1;
    }
    return Insert(text, low);
}

int SortedListBox::FindIgnoringCase(const wxString& text) const {
    const std::string wanted = ToDiaryText(text).value_or(std::string());
    for (unsigned int row = 0; row < GetCount(); ++row)
        if (name_rules::SameName(ToDiaryText(GetString(row)).value_or(std::string()), wanted))
            return static_cast<int>(row);
    return wxNOT_FOUND;
}
