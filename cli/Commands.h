#pragma once
// The commands of gastrolog-cli. Each writes its results to `out` and its messages to `err`
// and returns the exit status: 0 on success, 1 on failure, 2 for an option's value it cannot
// take. A diary is read as it is stored: no new day is started, no question asked, nothing
// rolled. Every file they write is written safely (diary/OutputFile.h, AtomicFile.h); no
// report, picture or export ever replaces a diary.

#include <iosfwd>
#include <string>

#include "cli/DiarySaving.h"
#include "cli/EvidenceChoice.h"
#include "cli/Simulation.h"
#include "exchange/DiaryExport.h"
#include "page/ReportLayout.h"

// Days, last update, numbers of foods and symptoms, each symptom's current status.
int RunInfo(const std::string& path, std::ostream& out, std::ostream& err);

// To standard output, or to `outputPath` when it is not empty.
int RunExport(const std::string& path, ExportFormat format, const std::string& outputPath,
              std::ostream& out, std::ostream& err);

// Reads the JSON of `export` ("-" for standard input) and writes the diary file `outputPath`;
// refuses anything the file cannot hold, writing nothing then. An existing diary at
// `outputPath` is replaced only with `saving.force` (after its daily copy).
int RunImport(const std::string& jsonPath, const std::string& outputPath, std::ostream& out,
              std::ostream& err, const DiarySaving& saving = {});

// Update Connections on the stored history, then saves to `outputPath` (the diary itself
// when empty). Only the network's fields change. Train, import and simulate save as
// DiarySaving.h says: the daily copy first, never over a diary open in a live Gastrolog
// unless forced.
int RunTrain(const std::string& path, const std::string& outputPath, std::ostream& out,
             std::ostream& err, const DiarySaving& saving = {});

// Generate Current Lists with the stored weights; unclassifiedAction as the 50DayAction
// setting (0 inclusions, 1 exclusions, 2 listed separately).
int RunLists(const std::string& path, int unclassifiedAction, bool json, std::ostream& out,
             std::ostream& err);

// Relate Foods to Symptoms.
int RunRelate(const std::string& path, bool json, std::ostream& out, std::ostream& err);

// The main window's page as SVG, PDF or PNG pictures (each written when its path is given):
// the sections shown by default, or every section; the lists empty as after opening, or
// generated from current information first.
struct PageOptions {
    std::string svgPath;
    std::string pdfPath;
    std::string pngPath;
    bool generateLists = false;
    bool allSections = false;
};
int RunPage(const std::string& path, const PageOptions& options, std::ostream& out,
            std::ostream& err);

// The report for the doctor as a PDF over the period's lived days; the lists are generated from
// current information first.
int RunReport(const std::string& path, const std::string& pdfPath, PaperSize paper,
              std::ostream& out, std::ostream& err, const ReportPeriod& period = {});

// Simulates a diary and saves it to `outputPath`; an existing diary there only with
// `saving.force`.
int RunSimulate(const SimulationOptions& options, const std::string& outputPath, std::ostream& out,
                std::ostream& err, const DiarySaving& saving = {});

// The day-after tally: strong and some only unless `all`; one symptom when `symptom` is not
// empty. JSON holds every entry of the chosen symptoms.
struct EvidenceCommandOptions {
    std::string symptom;
    bool all = false;
    bool json = false;
    EvidenceChoice choice;
};
int RunEvidence(const std::string& path, const EvidenceCommandOptions& options, std::ostream& out,
                std::ostream& err);

// How far each reading can be trusted, on simulated diaries with and without links.
struct AssessmentOptions;
int RunAssess(const AssessmentOptions& options, std::ostream& out, std::ostream& err);
struct EvidenceAssessmentOptions;
int RunEvidenceAssess(const EvidenceAssessmentOptions& options, std::ostream& out,
                      std::ostream& err);

// The daily copies kept of a diary (the diary itself need not exist or be readable).
int RunBackups(const std::string& path, std::ostream& out, std::ostream& err);
