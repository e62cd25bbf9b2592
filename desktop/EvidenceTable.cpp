#include "desktop/EvidenceTable.h"

#include <algorithm>
#include <tuple>

#include "desktop/dialogs/DiaryText.h"
#include "diary/GastrologDoc.h"

namespace {

struct ColumnHeading {
    const char* text;
    int widthInCharacters;
    bool number;
};

const ColumnHeading Headings[EvidenceTable::ColumnCount] = {
    {"Food", 18, false},          {"Symptom", 14, false},   {"Next day", 17, false},
    {"Days eaten", 10, true},     {"Then worse", 10, true}, {"Then better", 10, true},
    {"Then no change", 13, true}, {"Other days", 10, true}, {"Others worse", 11, true},
    {"Others better", 12, true},  {"Evidence", 13, false},  {"Shares its days with", 24, false},
};

int Number(const EvidenceEntry& entry, int column) {
    switch (column) {
        case EvidenceTable::DaysEatenColumn:
            return entry.daysEaten;
        case EvidenceTable::NextWorseColumn:
            return entry.nextWorse;
        case EvidenceTable::NextBetterColumn:
            return entry.nextBetter;
        case EvidenceTable::NextNoChangeColumn:
            return entry.nextNoChange;
        case EvidenceTable::OtherDaysColumn:
            return entry.otherDays;
        case EvidenceTable::OtherWorseColumn:
            return entry.otherWorse;
        case EvidenceTable::OtherBetterColumn:
            return entry.otherBetter;
        default:
            return 0;
    }
}

// After the sorted column's heading; the toolkit's own arrow is too faint to notice.
wxString SortMark(bool ascending) {
    return ascending ? L" \u25B2" : L" \u25BC";
}

}  // namespace

EvidenceTable::EvidenceTable(wxWindow* parent, int id, const CGastrologDoc& document,
                             const EvidenceReading& reading)
    : wxListCtrl(parent, id, wxDefaultPosition, wxDefaultSize,
                 wxLC_REPORT | wxLC_VIRTUAL | wxLC_SINGLE_SEL | wxLC_HRULES | wxLC_VRULES),
      m_document(document),
      m_reading(reading) {
    const int character = GetCharWidth();
    // Numbers need no more room than their heading; names get the room their column asks.
    for (int column = 0; column < ColumnCount; ++column) {
        const ColumnHeading& heading = Headings[column];
        // Room for the order's arrow after the heading.
        const int headingWidth =
            GetTextExtent(wxString(heading.text) + SortMark(true)).x + 2 * character;
        const int width = heading.number
                              ? headingWidth
                              : std::max(headingWidth, (heading.widthInCharacters + 1) * character);
        AppendColumn(heading.text, heading.number ? wxLIST_FORMAT_RIGHT : wxLIST_FORMAT_LEFT,
                     width);
    }
    Bind(wxEVT_LIST_COL_CLICK, &EvidenceTable::OnColumnClick, this);
}

void EvidenceTable::Filter(int symptom, bool strongAndSomeOnly) {
    const EvidenceEntry* selected = SelectedEntry();
    m_rows.clear();
    for (std::size_t index = 0; index < m_reading.entries.size(); ++index) {
        const EvidenceEntry& entry = m_reading.entries[index];
        if (symptom >= 0 && entry.symptom != symptom) continue;
        if (strongAndSomeOnly && !IsStrongOrSome(entry.word)) continue;
        m_rows.push_back(index);
    }
    Sort();
    SetItemCount(ShownRows());
    Reselect(selected);
    MarkSortColumn();
}

void EvidenceTable::MarkSortColumn() {
    ShowSortIndicator(m_sortColumn, m_ascending);
    for (int column = 0; column < ColumnCount; ++column) {
        wxListItem heading;
        heading.SetMask(wxLIST_MASK_TEXT);
        heading.SetText(wxString(Headings[column].text) +
                        (column == m_sortColumn ? SortMark(m_ascending) : wxString()));
        SetColumn(column, heading);
    }
}

void EvidenceTable::SortBy(int column) {
    if (column < 0 || column >= ColumnCount) return;
    m_ascending = column == m_sortColumn ? !m_ascending : true;
    m_sortColumn = column;
    const EvidenceEntry* selected = SelectedEntry();
    Sort();
    Reselect(selected);
    MarkSortColumn();
}

void EvidenceTable::Reselect(const EvidenceEntry* entry) {
    if (ShownRows() > 0) SetItemState(-1, 0, wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED);
    for (long row = 0; entry && row < ShownRows(); ++row)
        if (EntryAt(row) == entry) {
            SetItemState(row, wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED,
                         wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED);
            EnsureVisible(row);
        }
    Refresh();
}

const EvidenceEntry* EvidenceTable::EntryAt(long row) const {
    if (row < 0 || row >= ShownRows()) return nullptr;
    return &m_reading.entries[m_rows[static_cast<std::size_t>(row)]];
}

const EvidenceEntry* EvidenceTable::SelectedEntry() const {
    return EntryAt(GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED));
}

wxString EvidenceTable::CellText(long row, int column) const {
    const EvidenceEntry* entry = EntryAt(row);
    if (!entry) return {};
    const auto& foods = m_document.Foods();
    switch (column) {
        case FoodColumn:
            return FromDiaryText(foods[static_cast<std::size_t>(entry->food)].m_name);
        case SymptomColumn:
            return FromDiaryText(
                m_document.Symptoms()[static_cast<std::size_t>(entry->symptom)].m_name);
        case DirectionColumn:
            // A food's two rows share their counts; the words tell which question each asks.
            return wxString(std::string(EvidenceDirectionText(entry->direction))) + " more often";
        case WordColumn:
            return wxString(std::string(EvidenceWordText(entry->word)));
        case SharesColumn: {
            wxString names;
            for (int food : entry->sharesDaysWith)
                names << (names.empty() ? "" : ", ")
                      << FromDiaryText(foods[static_cast<std::size_t>(food)].m_name);
            return names;
        }
        default:
            return wxString::Format("%d", Number(*entry, column));
    }
}

wxString EvidenceTable::OnGetItemText(long item, long column) const {
    return CellText(item, static_cast<int>(column));
}

bool EvidenceTable::Before(const EvidenceEntry& a, const EvidenceEntry& b, int column) const {
    const auto& foods = m_document.Foods();
    switch (column) {
        case FoodColumn:
            return FromDiaryText(foods[static_cast<std::size_t>(a.food)].m_name)
                       .CmpNoCase(FromDiaryText(foods[static_cast<std::size_t>(b.food)].m_name)) <
                   0;
        case SymptomColumn:
            return a.symptom < b.symptom;
        case DirectionColumn:
            return a.direction < b.direction;
        case WordColumn:
            return std::tuple(EvidenceWordRank(a.word), a.p) <
                   std::tuple(EvidenceWordRank(b.word), b.p);
        case SharesColumn:
            return a.sharesDaysWith < b.sharesDaysWith;
        default:
            return Number(a, column) < Number(b, column);
    }
}

void EvidenceTable::Sort() {
    // From the diary's order, and stable, so rows that tie keep the order of symptoms and foods.
    std::sort(m_rows.begin(), m_rows.end());
    std::stable_sort(m_rows.begin(), m_rows.end(), [this](std::size_t a, std::size_t b) {
        const EvidenceEntry& first = m_reading.entries[a];
        const EvidenceEntry& second = m_reading.entries[b];
        return m_ascending ? Before(first, second, m_sortColumn)
                           : Before(second, first, m_sortColumn);
    });
}

void EvidenceTable::OnColumnClick(wxListEvent& event) {
    SortBy(event.GetColumn());
}
