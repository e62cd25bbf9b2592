#pragma once
// A list box that keeps its rows in the diary's case-insensitive name order (only A-Z folded,
// other bytes by value, a new row after its equals), whatever the desktop's locale would do,
// so the dialogs list names in the same order as the main page.

#include <wx/listbox.h>

class SortedListBox : public wxListBox {
public:
    // style: wxLB_SINGLE or wxLB_MULTIPLE; the box always has a vertical scroll bar. In a
    // multiple-selection box a click toggles the row under the mouse and leaves the others
    // (GTK would make a plain click select that row alone); a double click leaves the row
    // selected and sends wxEVT_LISTBOX_DCLICK for it.
    SortedListBox(wxWindow* parent, wxWindowID id, long style);

    // Inserts the row at its place in the order and returns its index.
    int AddSorted(const wxString& text);

    // Removes the row and leaves a single-selection box with nothing selected: GTK would move
    // the selection to a neighbouring row, and the next command would act on a row the user
    // never chose.
    void DeleteRow(unsigned int row);

    // The index of the row that is the same name as text (the diary's rule, which ignores the
    // case of the code page's letters), or wxNOT_FOUND.
    int FindIgnoringCase(const wxString& text) const;

private:
    void OnToggleClick(wxMouseEvent& event);
};
