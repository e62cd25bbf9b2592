#include "page/ReportLayout.h"

#include <algorithm>
#include <utility>

#include "diary/DiaryConstants.h"
#include "diary/GastrologDoc.h"
#include "page/Canvas.h"
#include "page/DayCharts.h"
#include "page/EvidenceStrip.h"
#include "page/RecordDrawing.h"
#include "page/ReportContent.h"
#include "page/ScopedFont.h"

using record_drawing::ShortenName;

namespace {

constexpr int NameCharacters = 24;  // the charts' name column, in small characters
constexpr int CountCharacters = 7;  // the column right of the grid
constexpr int FewestCellWidth = 3;
constexpr int WidestCellWidth = 24;
constexpr int RunningSumRows = 3;  // the height of a symptom's running sum band
constexpr int LeastLinkNameCharacters = 8;
// A page of the food grid is begun only with room for the symptoms' strips and this many small
// rows more: the dates, a food or two and the rule above the strips.
constexpr int LeastGridRowsBesideStrips = 7;

int SmallRowHeight(Canvas& canvas) {
    const ScopedFont small(canvas, CanvasFont::Small);
    return canvas.GetFontMetrics().RowHeight();
}

int SmallCharWidth(Canvas& canvas) {
    const ScopedFont small(canvas, CanvasFont::Small);
    return canvas.GetFontMetrics().averageCharWidth;
}

// The characters of a link's heading besides the two names, for its longest word and
// direction ("strong: ", " before ", " better"), and one to spare.
int LinkHeadingFixedCharacters() {
    const std::string_view word = EvidenceWordText(EvidenceWord::Strong);
    const std::string_view direction = EvidenceDirectionText(EvidenceDirection::Better);
    return static_cast<int>(word.size() + std::string_view(": ").size() +
                            std::string_view(" before ").size() + std::string_view(" ").size() +
                            direction.size()) +
           1;
}

int GridWidth(Canvas& canvas, int width) {
    return width - (NameCharacters + CountCharacters) * SmallCharWidth(canvas);
}

DayAxis MakeAxis(const CGastrologDoc& doc, const PeriodHistories& histories, Canvas& canvas,
                 int left, int width) {
    const int gridLeft = left + NameCharacters * SmallCharWidth(canvas);
    const int days = std::max(1, histories.days);
    const int cell = std::clamp(GridWidth(canvas, width) / days, FewestCellWidth, WidestCellWidth);
    return DayAxis::ForPeriod(doc, histories, gridLeft, cell, 0, histories.days);
}

}  // namespace

ReportPaper PaperOf(PaperSize paper) {
    // A4 is 595.3 x 841.9 points, Letter 612 x 792; a canvas unit is half a point.
    return paper == PaperSize::A4 ? ReportPaper{1190, 1683} : ReportPaper{1224, 1584};
}

ReportLayout::ReportLayout(const CGastrologDoc& doc, const EvidenceReading& evidence,
                           std::string diaryName, Canvas& canvas, ReportFlow& flow, int left,
                           int width, ReportPeriod period, bool wrapDays)
    : m_doc(doc),
      m_evidence(evidence),
      m_diaryName(std::move(diaryName)),
      m_canvas(canvas),
      m_flow(flow),
      m_left(left),
      m_width(width),
      m_histories(HistoriesOfPeriod(doc, period)),
      m_wrapDays(wrapDays),
      m_axis(MakeAxis(doc, m_histories, canvas, left, width)) {}

std::vector<DayAxis> ReportLayout::DayRows() const {
    const int perRow = std::max(1, GridWidth(m_canvas, m_width) / m_axis.CellWidth());
    if (!m_wrapDays || m_histories.days <= perRow) return {m_axis};
    std::vector<DayAxis> rows;
    for (int first = 0; first < m_histories.days; first += perRow)
        rows.push_back(DayAxis::ForPeriod(m_doc, m_histories, m_axis.Left(), m_axis.CellWidth(),
                                          first, std::min(perRow, m_histories.days - first)));
    return rows;
}

int ReportLayout::Row() const {
    return m_canvas.GetFontMetrics().RowHeight();
}

void ReportLayout::Gap(int rows) {
    if (m_flow.Room() > rows * Row()) m_flow.Take(rows * Row());
}

void ReportLayout::Title(const std::string& text) {
    int height = 0;
    {
        const ScopedFont title(m_canvas, CanvasFont::Title);
        height = Row();
    }
    // A title keeps at least a few of its own rows' room for its section. The page is started
    // before the title's font is chosen: starting one draws the footer and leaves the page's font.
    if (m_flow.Room() < height + 6 * height) m_flow.NewPage();
    const int top = m_flow.Take(height);
    {
        const ScopedFont title(m_canvas, CanvasFont::Title);
        m_canvas.DrawUnicodeText(m_left, top, text);
    }
    Gap();
}

void ReportLayout::Subtitle(const std::string& text) {
    Gap();
    if (m_flow.Room() < 5 * Row()) m_flow.NewPage();
    m_canvas.DrawText(m_left, m_flow.Take(Row()), text);
    m_canvas.SelectPen(CanvasPen::Thin);
    const int underline = m_flow.Y() - 2;
    m_canvas.DrawLine(
        m_left, underline,
        m_left + static_cast<int>(text.size()) * m_canvas.GetFontMetrics().averageCharWidth,
        underline);
}

void ReportLayout::Paragraph(std::string_view text, int indentCharacters) {
    const int charWidth = std::max(1, m_canvas.GetFontMetrics().averageCharWidth);
    const int columns = m_width / charWidth - indentCharacters;
    for (const std::string& line : WrapText(text, columns))
        m_canvas.DrawText(m_left + indentCharacters * charWidth, m_flow.Take(Row()), line);
}

void ReportLayout::Summary(const GeneratedLists& lists) {
    Title("Gastrolog report: " + m_diaryName);
    const std::string period = PeriodText(m_axis);
    if (period.empty()) {
        Paragraph("Period: no day has been lived yet.");
    } else {
        Paragraph("Period: " + period + " (" + std::to_string(m_histories.lived) +
                  " days kept; the diary has run for " + std::to_string(m_doc.DayCount()) +
                  " days).");
    }
    Paragraph("Days with entries: " + std::to_string(DaysWithEntries(m_histories)) + " of the " +
              std::to_string(m_histories.lived) + " days kept.");
    Gap();
    Paragraph("Symptoms followed, with today's status:");
    if (m_doc.Symptoms().empty()) Paragraph("none yet.", 2);
    for (const CSymptom& symptom : m_doc.Symptoms())
        Paragraph(
            ShortenName(symptom.m_name, 40) + ": " + diary::LatestRatingWord(symptom.m_history), 2);

    Subtitle("What the day-after tally found");
    Paragraph(EvidenceExplanation(m_evidence.options.plain));
    Gap();
    const auto links = StrongAndSomeLinks(m_evidence);
    if (links.empty()) Paragraph("No food has a strong link or some link with a symptom so far.");
    for (const EvidenceEntry* link : links) Paragraph("- " + LinkText(m_doc, *link), 2);
    Gap();
    if (!links.empty()) Paragraph(std::string(EvidenceWhatToDo));
    Paragraph(std::string(NoClearLinkIsNotSafe));

    Subtitle("The generated lists");
    Paragraph(ListsExplanation());
    Gap();
    const auto names = [](const auto& entries) {
        std::vector<std::string> list;
        for (const auto& entry : entries) list.push_back(entry.m_name);
        return list;
    };
    ListLine("Can be included", names(lists.inclusions));
    ListLine("Should be excluded", names(lists.exclusions));
    ListLine("Not currently classified", names(lists.over50Days));
}

void ReportLayout::ListLine(const std::string& label, const std::vector<std::string>& names) {
    std::string text = label + " (" + std::to_string(names.size()) + "): ";
    if (names.empty()) text += "none.";
    for (std::size_t i = 0; i < names.size(); ++i)
        text += ShortenName(names[i], 30) + (i + 1 < names.size() ? ", " : ".");
    Paragraph(text);
}

int ReportLayout::NameColumnCharacters() const {
    return NameCharacters - 1;
}

void ReportLayout::NameAt(int top, int height, const std::string& name) {
    const ScopedFont small(m_canvas, CanvasFont::Small);
    const int textTop = top + (height - m_canvas.GetFontMetrics().RowHeight()) / 2;
    m_canvas.DrawText(m_left, textTop,
                      ShortenName(name, static_cast<std::size_t>(NameColumnCharacters())));
}

void ReportLayout::AxisHead(bool legend) {
    const int cellHeight = SmallRowHeight(m_canvas);
    if (legend) {
        const int top = m_flow.Take(cellHeight + 4);
        DrawRatingLegend(m_canvas, m_axis.Left(), top, std::max(m_axis.CellWidth(), 8), cellHeight);
    }
    const int labelHeight = SmallRowHeight(m_canvas) * 3 / 2;
    const int labelTop = m_flow.Take(labelHeight);
    m_axis.DrawLabels(m_canvas, labelTop);
    m_axisBlocks.push_back({labelTop, m_flow.Y()});
}

void ReportLayout::EndAxisBlock() {
    if (!m_axisBlocks.empty()) m_axisBlocks.back().bottom = m_flow.Y();
}

void ReportLayout::SymptomsOverTime() {
    Title("Symptoms over time");
    if (m_doc.Symptoms().empty() || m_axis.LivedDays() == 0) {
        Paragraph("No symptom has been rated yet.");
        return;
    }
    Paragraph(
        "Each symptom's days: better, worse or no change; below, the running sum (up one "
        "for a better day, down one for a worse day), so a trend shows as a slope.");
    Gap();
    const int cellHeight = SmallRowHeight(m_canvas);
    const int bandHeight = RunningSumRows * cellHeight;
    const int blockHeight = cellHeight + 2 + bandHeight + cellHeight;
    const DayAxis whole = m_axis;
    bool legend = true;
    for (const DayAxis& row : DayRows()) {
        m_axis = row;
        if (!legend && m_flow.Room() < 3 * blockHeight) m_flow.NewPage();
        AxisHead(std::exchange(legend, false));
        for (std::size_t i = 0; i < m_doc.Symptoms().size(); ++i) {
            if (m_flow.Room() < blockHeight) {
                EndAxisBlock();
                m_flow.NewPage();
                AxisHead(false);
            }
            const int top = m_flow.Take(blockHeight);
            m_axis.DrawWeekLines(m_canvas, top, top + cellHeight + 2 + bandHeight);
            NameAt(top, cellHeight, m_doc.Symptoms()[i].m_name);
            DrawRatingStrip(m_canvas, m_axis, top, cellHeight, m_histories.symptoms[i]);
            DrawRunningSum(m_canvas, m_axis, top + cellHeight + 2, bandHeight,
                           m_histories.symptoms[i]);
        }
        EndAxisBlock();
        m_flow.Take(std::min(m_flow.Room(), cellHeight));
    }
    m_axis = whole;
}

void ReportLayout::SymptomStrips(int cellHeight) {
    for (std::size_t i = 0; i < m_doc.Symptoms().size(); ++i) {
        const int top = m_flow.Take(cellHeight);
        NameAt(top, cellHeight, m_doc.Symptoms()[i].m_name);
        DrawRatingStrip(m_canvas, m_axis, top, cellHeight, m_histories.symptoms[i]);
    }
}

int ReportLayout::SymptomStripsHeight(int cellHeight) const {
    return static_cast<int>(m_doc.Symptoms().size()) * cellHeight;
}

void ReportLayout::FoodGridPage(const std::vector<int>& foods, std::size_t& next, int cellHeight) {
    // The strips, and a row for the gap and the rule above them.
    const int belowFoods = SymptomStripsHeight(cellHeight) + cellHeight;
    AxisHead(false);
    const int gridTop = m_flow.Y();
    const int smallWidth = SmallCharWidth(m_canvas);
    // As many foods as leave room for the symptom strips below them; at least one.
    do {
        const int food = foods[next++];
        const CFood& record = m_doc.Foods()[static_cast<std::size_t>(food)];
        const int top = m_flow.Take(cellHeight);
        if (next % 2 == 0)
            m_canvas.FillRectangle(m_axis.Left(), top, m_axis.Right(), top + cellHeight,
                                   CanvasFill::LightGrey);
        NameAt(top, cellHeight, record.m_name);
        DrawEatenRow(m_canvas, m_axis, top, cellHeight,
                     m_histories.foods[static_cast<std::size_t>(food)]);
        const ScopedFont small(m_canvas, CanvasFont::Small);
        m_canvas.DrawText(m_axis.Right() + smallWidth, top, FoodLinkWord(m_evidence, food));
    } while (next < foods.size() && m_flow.Room() >= cellHeight + belowFoods);
    m_axis.DrawWeekLines(m_canvas, gridTop, m_flow.Y());
    m_flow.Take(cellHeight / 2);
    m_canvas.SelectPen(CanvasPen::Thin);
    m_canvas.DrawLine(m_axis.Left(), m_flow.Y() - cellHeight / 4, m_axis.Right(),
                      m_flow.Y() - cellHeight / 4);
    SymptomStrips(cellHeight);
    EndAxisBlock();
}

void ReportLayout::WhatWasEaten() {
    Title("What was eaten");
    if (m_doc.Foods().empty() || m_axis.LivedDays() == 0) {
        Paragraph("No food has been recorded yet.");
        return;
    }
    Paragraph(
        "A filled square marks a day the food was eaten. Foods with a strong link come "
        "first, then those with some link, then the most eaten. The symptoms' days are "
        "below each page of foods, on the same days, so a bad day can be read against "
        "the day before it.");
    Gap();
    const int cellHeight = SmallRowHeight(m_canvas);
    const int top = m_flow.Take(cellHeight + 4);
    DrawRatingLegend(m_canvas, m_axis.Left(), top, std::max(m_axis.CellWidth(), 8), cellHeight);
    const std::vector<int> foods = FoodsByEvidence(m_doc, m_evidence, m_histories);
    const DayAxis whole = m_axis;
    for (const DayAxis& row : DayRows()) {
        m_axis = row;
        std::size_t next = 0;
        while (next < foods.size()) {
            if (m_flow.Room() <
                SymptomStripsHeight(cellHeight) + LeastGridRowsBesideStrips * cellHeight)
                m_flow.NewPage();
            FoodGridPage(foods, next, cellHeight);
            Gap();
        }
    }
    m_axis = whole;
    LinkStrips();
}

void ReportLayout::LinkStrips() {
    const auto links = StrongAndSomeLinks(m_evidence);
    if (links.empty()) return;
    Subtitle("The days behind each link");
    Paragraph(
        "For each food with a strong link or some link, the strip of the Evidence window: the "
        "days it was eaten, and the symptom's rating on the next day; a line where each four "
        "weeks begin.");
    Gap();
    {
        const ScopedFont small(m_canvas, CanvasFont::Small);
        DrawEvidenceStripLegend(m_canvas, m_left, m_flow.Take(Row()));
    }
    // Each name gets half of the heading's line but for the rest of the heading.
    const int lineCharacters = m_width / std::max(1, m_canvas.GetFontMetrics().averageCharWidth);
    const auto nameRoom = static_cast<std::size_t>(
        std::max(LeastLinkNameCharacters, (lineCharacters - LinkHeadingFixedCharacters()) / 2));
    for (const EvidenceEntry* link : links) {
        const EvidenceStripDays days =
            EvidenceStripDaysOf(m_doc, m_evidence, link->food, link->symptom, link->delay);
        int firstRowHeight = 0;
        {
            const ScopedFont small(m_canvas, CanvasFont::Small);
            firstRowHeight = EvidenceStripHeight(m_canvas, false, true, days.Blocked());
        }
        // A link's heading stays on the page of its strip's first row.
        if (m_flow.Room() < Row() * 3 / 2 + firstRowHeight) m_flow.NewPage();
        m_flow.Take(Row() / 2);
        m_canvas.DrawText(m_left, m_flow.Take(Row()),
                          std::string(EvidenceWordText(link->word)) + ": " +
                              ShortenName(days.food, nameRoom) + " before " +
                              ShortenName(days.symptom, nameRoom) + " " +
                              std::string(EvidenceDirectionText(link->direction)));
        WrappedStrip(days);
    }
}

void ReportLayout::WrappedStrip(const EvidenceStripDays& days) {
    const int columns = std::max(1, static_cast<int>(days.columns.size()));
    int perRow = 1;
    {
        const ScopedFont small(m_canvas, CanvasFont::Small);
        perRow = EvidenceStripColumnsThatFit(m_canvas, m_width);
    }
    for (int first = 0; first < columns; first += perRow) {
        EvidenceStripPlace place{m_left, 0, m_width, false, first, first == 0};
        const auto height = [&] {
            const ScopedFont small(m_canvas, CanvasFont::Small);
            return EvidenceStripHeight(m_canvas, place.legend, place.heading, days.Blocked());
        };
        // A row going on at the top of a page says again whose days it shows. A new page draws
        // its heading in fonts of its own: the small font is chosen after it.
        if (first > 0 && m_flow.Room() < height()) {
            m_flow.NewPage();
            place.heading = true;
        }
        place.top = m_flow.Take(height());
        const ScopedFont small(m_canvas, CanvasFont::Small);
        DrawEvidenceStrip(m_canvas, days, place);
    }
}

void ReportLayout::DayAfterRelationships(const Relationships& relationships) {
    Title("Day-after relationships");
    Paragraph(RelationshipsExplanation);
    Gap();
    const int charWidth = m_canvas.GetFontMetrics().averageCharWidth;
    const int columns = std::max(30, m_width / std::max(1, charWidth));
    const int nameWidth = (columns - 4) / 3;
    const auto row = [&](const std::string& a, const std::string& b, const std::string& c) {
        const int top = m_flow.Take(Row());
        m_canvas.DrawText(m_left, top, ShortenName(a, static_cast<std::size_t>(nameWidth)));
        m_canvas.DrawText(m_left + (nameWidth + 2) * charWidth, top,
                          ShortenName(b, static_cast<std::size_t>(nameWidth)));
        m_canvas.DrawText(m_left + 2 * (nameWidth + 2) * charWidth, top,
                          ShortenName(c, static_cast<std::size_t>(nameWidth)));
    };
    row("Symptom", "Best food", "Worst food");
    m_canvas.SelectPen(CanvasPen::Thin);
    m_canvas.DrawLine(m_left, m_flow.Y(), m_left + m_width, m_flow.Y());
    m_flow.Take(2);
    const auto& symptoms = relationships.symptoms;
    const auto& best = relationships.bestFoods;
    const auto& worst = relationships.worstFoods;
    for (std::size_t i = 0; i < symptoms.size(); ++i)
        row(symptoms[i], i < best.size() ? best[i] : "", i < worst.size() ? worst[i] : "");
    if (symptoms.empty()) Paragraph("No symptoms are followed.");
}
