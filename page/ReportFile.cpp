#include "page/ReportFile.h"

#include <functional>

#include "diary/GastrologDoc.h"
#include "engine/ListGeneration.h"
#include "engine/Relationships.h"
#include "page/CairoCanvas.h"
#include "page/CairoFile.h"
#include "page/MeasuringCanvas.h"

namespace {

// Half points: fine enough for the charts' cells on whole units.
constexpr double PointsPerUnit = 0.5;
constexpr CairoFontSizes ReportFonts{18, 28, 14};  // 9, 14 and 7 points

// Lays the whole report out on the canvas; newPage is called before every page after the
// first. Returns the number of pages.
int LayOut(const CGastrologDoc& doc, const GeneratedLists& lists,
           const Relationships& relationships, const EvidenceReading& evidence,
           const std::string& name, const ReportPaper& paper, const ReportPeriod& period,
           Canvas& canvas, int pageCount, const std::function<void()>& newPage) {
    const int footerTop = paper.height - paper.margin;
    const auto startPage = [&](int page) {
        if (page > 1) newPage();
        canvas.SelectFont(CanvasFont::Small);
        const std::string footer = name + " - Gastrolog report - page " + std::to_string(page) +
                                   (pageCount > 0 ? " of " + std::to_string(pageCount) : "");
        canvas.DrawUnicodeText(paper.margin, footerTop + canvas.GetFontMetrics().RowHeight(),
                               footer);
        canvas.SelectPen(CanvasPen::Faint);
        canvas.DrawLine(paper.margin, footerTop, paper.width - paper.margin, footerTop);
        canvas.SelectPen(CanvasPen::Thin);
        canvas.SelectFont(CanvasFont::Page);
    };
    ReportFlow flow(paper.margin, footerTop - 8, startPage);
    ReportLayout layout(doc, evidence, name, canvas, flow, paper.margin,
                        paper.width - 2 * paper.margin, period, true);
    layout.Summary(lists);
    flow.NewPage();
    layout.SymptomsOverTime();
    flow.NewPage();
    layout.WhatWasEaten();
    flow.NewPage();
    layout.DayAfterRelationships(relationships);
    return flow.PageCount();
}

}  // namespace

Result DrawReport(const CGastrologDoc& doc, const GeneratedLists& lists,
                  const Relationships& relationships, const std::string& diaryName,
                  PaperSize paperSize, std::string& pdf, const ReportPeriod& period) {
    const ReportPaper paper = PaperOf(paperSize);
    // The tally counts the days the report covers, as its charts show them.
    EvidenceOptions options;
    options.period = {period.lastDays, period.from, period.to};
    const EvidenceReading evidence = ReadEvidence(doc, options);
    CairoFile file(PictureFormat::Pdf, {double(paper.width), double(paper.height), PointsPerUnit});
    file.SetPdfInformation("Gastrolog report: " + ValidUtf8(diaryName), doc.LastUpdate());
    int pages = 0;
    {
        // The first pass counts the pages for "page n of N".
        CairoCanvas measure(file.Context(), ReportFonts, true);
        MeasuringCanvas counting(measure);
        pages = LayOut(doc, lists, relationships, evidence, diaryName, paper, period, counting, 0,
                       [] {});
    }
    {
        CairoCanvas canvas(file.Context(), ReportFonts, true);
        LayOut(doc, lists, relationships, evidence, diaryName, paper, period, canvas, pages,
               [&] { file.NextPage(); });
    }
    return file.Finish(pdf);
}

Result MakeReport(const CGastrologDoc& doc, const std::string& diaryName, PaperSize paper,
                  int unclassifiedAction, std::string& pdf, const ReportPeriod& period) {
    return DrawReport(doc, ListsOf(doc, unclassifiedAction), ComputeRelationships(doc), diaryName,
                      paper, pdf, period);
}
