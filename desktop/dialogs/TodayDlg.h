#pragma once
// "Today": the day's ratings and foods in one window. Each symptom is a row of three toggle
// buttons (Better, No change, Worse); the foods are a checklist under a search box. The
// window works on a today::TodayEntry, which decides the order, the search and what a typed
// name does; Done ends the dialog with OK and the document commits the entry, Cancel leaves
// the diary as it was.
//
// Keys outside the search box: Up and Down move between symptoms, Left and Right move the
// rating, B, N, W (or 1, 2, 3) rate the symptom and go on to the next one.

#include <wx/dialog.h>

#include <array>
#include <vector>

#include "diary/TodayEntry.h"

class wxCheckListBox;
class wxSearchCtrl;
class wxStaticText;
class wxToggleButton;

class CTodayDlg : public wxDialog {
public:
    CTodayDlg(wxWindow* parent, today::TodayEntry& entry);

    // The rating columns, left to right.
    static constexpr std::array<char, 3> Ratings = {'b', 'n', 'w'};

    wxToggleButton* RatingButton(std::size_t symptom, std::size_t column) const {
        return m_ratingButtons[symptom][column];
    }
    wxSearchCtrl* Search() const { return m_search; }
    wxCheckListBox* FoodList() const { return m_foods; }
    // The symptom the rating keys act on.
    std::size_t CurrentSymptom() const { return m_current; }
    // The entry rows the checklist shows, in its order.
    const std::vector<std::size_t>& ShownFoods() const { return m_shown; }

    // What the keys do (also reached from the key handler).
    void RateCurrent(char rating);
    void MoveCurrent(int step);
    // Enter in the search box.
    void EnterTypedName();

private:
    void CreateControls();
    wxSizer* CreateSymptomRows();
    wxSizer* CreateFoodPart();
    void ShowRatings(std::size_t symptom);
    void FocusCurrent();
    void RefillFoods();

    void OnRatingButton(wxCommandEvent& event);
    void OnCharHook(wxKeyEvent& event);
    bool HandleRatingKey(int key);
    void OnSearchText(wxCommandEvent& event);
    void OnSearchEnter(wxCommandEvent& event);
    void OnFoodChecked(wxCommandEvent& event);
    void OnDone(wxCommandEvent& event);
    void OnHelpButton(wxCommandEvent& event);

    today::TodayEntry& m_entry;
    std::vector<std::array<wxToggleButton*, 3>> m_ratingButtons;
    std::vector<wxStaticText*> m_symptomNames;
    wxSearchCtrl* m_search = nullptr;
    wxCheckListBox* m_foods = nullptr;
    std::vector<std::size_t> m_shown;
    std::size_t m_current = 0;
};
