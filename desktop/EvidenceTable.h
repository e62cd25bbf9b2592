#pragma once
// The Evidence window's table: one row per food, symptom and direction of the day-after
// tally, filtered by symptom and word and sorted by any column, whose heading ends in an arrow
// for the order. A virtual list, so tens of
// thousands of rows (500 foods and 20 symptoms) cost nothing until they are on screen.

#include <wx/listctrl.h>

#include <vector>

#include "engine/Evidence.h"
#include "engine/EvidenceWords.h"

class CGastrologDoc;

class EvidenceTable : public wxListCtrl {
public:
    enum Column {
        FoodColumn,
        SymptomColumn,
        DirectionColumn,
        DaysEatenColumn,
        NextWorseColumn,
        NextBetterColumn,
        NextNoChangeColumn,
        OtherDaysColumn,
        OtherWorseColumn,
        OtherBetterColumn,
        WordColumn,
        SharesColumn,
        ColumnCount
    };

    EvidenceTable(wxWindow* parent, int id, const CGastrologDoc& document,
                  const EvidenceReading& reading);

    // symptom -1 shows every symptom; strongAndSomeOnly hides the other words. Keeps the
    // selected entry selected when it is still shown.
    void Filter(int symptom, bool strongAndSomeOnly);
    // Sorts by the column, ascending; the same column again turns the order round. The
    // Evidence column puts the strongest first.
    void SortBy(int column);
    int SortColumn() const { return m_sortColumn; }
    bool SortAscending() const { return m_ascending; }

    long ShownRows() const { return static_cast<long>(m_rows.size()); }
    // The entry shown on the row, or null.
    const EvidenceEntry* EntryAt(long row) const;
    const EvidenceEntry* SelectedEntry() const;
    wxString CellText(long row, int column) const;

protected:
    wxString OnGetItemText(long item, long column) const override;

private:
    bool Before(const EvidenceEntry& a, const EvidenceEntry& b, int column) const;
    void Sort();
    void Reselect(const EvidenceEntry* entry);
    // The arrow of the order after the sorted column's heading.
    void MarkSortColumn();
    void OnColumnClick(wxListEvent& event);

    const CGastrologDoc& m_document;
    const EvidenceReading& m_reading;
    std::vector<std::size_t> m_rows;  // indices into the reading's entries, in shown order
    int m_sortColumn = WordColumn;
    bool m_ascending = true;
};
