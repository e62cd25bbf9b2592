#pragma once
// The report's sections laid out down a flow of pages on a canvas: the summary, the symptoms
// over time, what was eaten, and the day-after relationships. The Charts window draws the
// middle two with the same code on one endless page.

#include <string>
#include <vector>

#include "diary/EngineResults.h"
#include "engine/Evidence.h"
#include "engine/EvidenceWords.h"
#include "page/DayAxis.h"
#include "page/EvidenceStrip.h"
#include "page/ReportFlow.h"
#include "page/ReportPeriod.h"

class Canvas;
class CGastrologDoc;

enum class PaperSize { A4, Letter };

class ReportLayout {
public:
    // Draws between x = left and left + width. The document's generated lists and relationships
    // are drawn as they are. The charts cover the period's days; on paper (`wrapDays`) a
    // period too long for one row of cells goes on in further rows of days.
    ReportLayout(const CGastrologDoc& doc, const EvidenceReading& evidence, std::string diaryName,
                 Canvas& canvas, ReportFlow& flow, int left, int width, ReportPeriod period = {},
                 bool wrapDays = false);

    void Summary(const GeneratedLists& lists);
    void SymptomsOverTime();
    void WhatWasEaten();
    void DayAfterRelationships(const Relationships& relationships);

    // The day columns of the charts, for finding the day under the mouse.
    const DayAxis& Axis() const { return m_axis; }
    // The period's days the charts draw, by the Axis's history positions.
    const PeriodHistories& Histories() const { return m_histories; }
    // Where the charts on those day columns lie, from their dates down, on their pages.
    struct AxisBlock {
        int top = 0;
        int bottom = 0;
    };
    const std::vector<AxisBlock>& AxisBlocks() const { return m_axisBlocks; }

private:
    int Row() const;
    void Title(const std::string& text);  // UTF-8: the first names the file
    void Subtitle(const std::string& text);
    void Paragraph(std::string_view text, int indentCharacters = 0);
    void Gap(int rows = 1);
    // The day axis's dates and a legend, as a block's head.
    void AxisHead(bool legend);
    void EndAxisBlock();
    int NameColumnCharacters() const;
    // The axes of the rows of days, oldest first: one, or more when wrapped.
    std::vector<DayAxis> DayRows() const;
    void NameAt(int top, int height, const std::string& name);
    // The symptoms' rating strips below a page of the food grid.
    int SymptomStripsHeight(int cellHeight) const;
    void FoodGridPage(const std::vector<int>& foods, std::size_t& next, int cellHeight);
    void SymptomStrips(int cellHeight);
    void LinkStrips();
    // A link's strip in rows that fit the width, the heading on the first.
    void WrappedStrip(const EvidenceStripDays& days);
    void ListLine(const std::string& label, const std::vector<std::string>& names);

    const CGastrologDoc& m_doc;
    const EvidenceReading& m_evidence;
    std::string m_diaryName;
    Canvas& m_canvas;
    ReportFlow& m_flow;
    int m_left;
    int m_width;
    PeriodHistories m_histories;
    bool m_wrapDays;
    DayAxis m_axis;
    std::vector<AxisBlock> m_axisBlocks;
};

// The page of a report: its size and margins in canvas units (half points).
struct ReportPaper {
    int width = 0;
    int height = 0;
    int margin = 72;  // half an inch
};
ReportPaper PaperOf(PaperSize paper);
