#include "page/PageLayout.h"

#include <algorithm>

#include "diary/GastrologDoc.h"
#include "page/Canvas.h"
#include "page/PageHeading.h"
#include "page/PageOrder.h"
#include "page/RecordDrawing.h"

namespace {

constexpr std::string_view SymptomsTitle = "Symptoms - today's current status:";
constexpr std::string_view FoodsTitle =
    "Foods                50 updates ago                                now    Score";
constexpr std::string_view HistoryTitle = "History of Symptoms - relative changes:";
constexpr std::string_view HistoryColumns =
    "                     50 updates ago                                now";

constexpr int ColumnCount = 4;

// Guidance lines for a diary that has no file yet, placed in logical units.
struct GuidanceLine {
    int marginsAcross;
    int y;
    std::string_view text;
};
constexpr GuidanceLine Guidance[] = {
    {8, 30, "New user?"},
    {10, 50, "\"Action - Update Symptoms\"."},
    {10, 70, "Press the \"New\" button to enter your symptoms."},
    {10, 90, "Save your file."},
    {8, 140, "Already a user?"},
    {10, 160, "Open your file."},
};

}  // namespace

struct PageLayout::ListSection {
    const std::vector<const CListEntry*> entries;
    std::string_view singular;
    std::string_view plural;
};

namespace {

template <typename Entry>
std::vector<const CListEntry*> EntriesOf(const std::vector<Entry>& list) {
    std::vector<const CListEntry*> entries;
    entries.reserve(list.size());
    for (const Entry& entry : list) entries.push_back(&entry);
    return entries;
}

}  // namespace

PageLayout::PageLayout(const CGastrologDoc& doc, Canvas& canvas, PageRows rows)
    : m_doc(doc),
      m_canvas(canvas),
      m_rows(rows),
      m_margin(record_drawing::Margin(canvas)),
      m_characterWidth(canvas.GetFontMetrics().averageCharWidth) {}

void PageLayout::Draw() {
    m_nLine = 0;
    m_listStart = 0;
    m_listCount = 0;
    // A restored copy has no file yet, but it is a diary, not a new user's blank one.
    if (m_doc.GetPathName().empty() && !m_doc.IsRestoredCopy()) {
        DrawGuidance();
        return;
    }
    if (IsRowDrawn(m_nLine))
        m_canvas.DrawUnicodeText(m_margin,
                                 RowOnCanvas(m_nLine) * m_canvas.GetFontMetrics().RowHeight(),
                                 HeadingText(m_doc));
    if (m_doc.ShowInclusions())
        DrawListSection({EntriesOf(m_doc.Inclusions()),
                         " food that can be included:", " foods that can be included:"},
                        m_nLine + 2);
    if (m_doc.ShowUnclassified())
        DrawListSection({EntriesOf(m_doc.Over50Days()), " food that is not currently classified:",
                         " foods that are not currently classified:"},
                        RowAfterList());
    if (m_doc.ShowExclusions())
        DrawListSection({EntriesOf(m_doc.Exclusions()),
                         " food that should be excluded:", " foods that should be excluded:"},
                        RowAfterList());
    if (m_doc.ShowSymptoms()) DrawSymptoms();
    if (m_doc.ShowFoods()) DrawFoods();
    if (m_doc.ShowHistory()) DrawHistory();
}

int PageLayout::GuidanceBottom() {
    int bottom = 0;
    for (const GuidanceLine& line : Guidance) bottom = std::max(bottom, line.y);
    return bottom;
}

void PageLayout::DrawGuidance() {
    // Fixed positions, not rows: the guidance shows on every printed page.
    for (const GuidanceLine& line : Guidance)
        m_canvas.DrawText(line.marginsAcross * m_margin, line.y, line.text);
}

void PageLayout::DrawListSection(const ListSection& section, int firstRow) {
    m_nLine = firstRow;
    const int count = static_cast<int>(section.entries.size());
    if (count > 0) {
        DrawRowText(
            m_nLine, 0,
            std::to_string(count) + std::string(count == 1 ? section.singular : section.plural));
        m_nLine += 2;
    }
    m_listStart = m_nLine;
    m_listCount = count;
    // Columns of equal height, filled top to bottom; four columns always suffice.
    const int rowsPerColumn = count / ColumnCount + 1;
    for (int index = 0; index < count; ++index) {
        const int row = m_listStart + index % rowsPerColumn;
        const int column = index / rowsPerColumn * record_drawing::ListColumnWidth;
        if (IsRowDrawn(row))
            DrawListEntry(m_canvas, *section.entries[index], RowOnCanvas(row), column);
    }
    // Below the tallest column, so that the next section never runs across a shorter one.
    if (count > 0) m_nLine = m_listStart + count / ColumnCount + 1;
}

void PageLayout::DrawSymptoms() {
    m_nLine = RowAfterList();
    DrawRowText(m_nLine, 0, SymptomsTitle);
    m_nLine += 2;
    bool leftHalf = true;
    for (const CSymptom* symptom : SymptomsByName(m_doc.Symptoms())) {
        if (IsRowDrawn(m_nLine))
            DrawSymptomStatus(m_canvas, *symptom, RowOnCanvas(m_nLine), leftHalf);
        if (!leftHalf) ++m_nLine;
        leftHalf = !leftHalf;
    }
    ++m_nLine;
}

void PageLayout::DrawFoods() {
    m_nLine += 2;
    DrawRowText(m_nLine, 0, FoodsTitle);
    m_nLine += 2;
    const int sortOrder = m_doc.GetSetting(setting::SortOrder, SortFoodsByName);
    for (const CFood* food : FoodsInPageOrder(m_doc.Foods(), sortOrder)) {
        if (IsRowDrawn(m_nLine)) DrawFood(m_canvas, *food, RowOnCanvas(m_nLine));
        ++m_nLine;
    }
    ++m_nLine;
}

void PageLayout::DrawHistory() {
    m_nLine += 3;
    DrawRowText(m_nLine, 0, HistoryTitle);
    m_nLine += 2;
    DrawRowText(m_nLine, 0, HistoryColumns);
    m_nLine += 3;
    for (const CSymptom* symptom : SymptomsByName(m_doc.Symptoms())) {
        if (IsHistoryBoxDrawn(m_nLine))
            DrawSymptomHistory(m_canvas, *symptom, RowOnCanvas(m_nLine));
        m_nLine += 6;
    }
    ++m_nLine;
}

void PageLayout::DrawRowText(int row, int column, std::string_view text) {
    if (!IsRowDrawn(row)) return;
    m_canvas.DrawText(m_margin + column * m_characterWidth,
                      RowOnCanvas(row) * m_canvas.GetFontMetrics().RowHeight(), text);
}

bool PageLayout::IsRowDrawn(int row) const {
    return row >= m_rows.firstLine && row <= m_rows.lastLine && row >= m_rows.neededFirst &&
           row <= m_rows.neededLast;
}

bool PageLayout::IsHistoryBoxDrawn(int row) const {
    const long long boxTop = static_cast<long long>(row) - 2;
    const long long boxBottom = static_cast<long long>(row) + 3;
    return row >= m_rows.firstLine && row <= m_rows.lastLine && boxBottom >= m_rows.neededFirst &&
           boxTop <= m_rows.neededLast;
}
