#include "cli/Commands.h"

#include <fstream>
#include <iostream>
#include <iterator>
#include <new>
#include <sstream>

#include "cli/Assessment.h"
#include "cli/BackupsReport.h"
#include "cli/EvidenceReport.h"
#include "cli/InfoReport.h"
#include "cli/ListsReport.h"
#include "cli/RelateReport.h"
#include "cli/SimulationReport.h"
#include "diary/Backups.h"
#include "diary/DiaryConstants.h"
#include "diary/FileNames.h"
#include "diary/GastrologDoc.h"
#include "diary/LocalTime.h"
#include "engine/EngineCommands.h"
#include "engine/ListGeneration.h"
#include "engine/Network.h"
#include "engine/Relationships.h"
#include "exchange/CsvExport.h"
#include "exchange/JsonExport.h"
#include "exchange/JsonImport.h"
#include "page/PagePicture.h"
#include "page/ReportFile.h"

namespace {

constexpr int Success = 0;
constexpr int Failure = 1;

// A message that does not say which file it is about gets the path in front.
void ReportFileProblem(const std::string& path, const FileResult& result, std::ostream& err) {
    if (!result.NamesFile()) err << path << ": ";
    err << result.Message() << '\n';
}

bool LoadDiary(CGastrologDoc& doc, const std::string& path, std::ostream& err) {
    const FileResult result = doc.ReadFile(path);
    if (result.Succeeded()) return true;
    ReportFileProblem(path, result, err);
    return false;
}

bool SaveDiary(CGastrologDoc& doc, const std::string& path, std::ostream& err) {
    // The diary replaced, if any, keeps its daily copy as when the desktop saves it.
    doc.SetBackupFolder(backups::DefaultRootFolder());
    const FileResult result = doc.WriteFile(path);
    if (!result.Message().empty()) ReportFileProblem(path, result, err);
    return result.Succeeded();
}

// Four times the largest diary file the reader accepts: the JSON of any readable diary fits,
// and no input can make the parser exhaust the memory.
constexpr std::size_t LargestJsonInput = 64 * 1024 * 1024;

// Reads at most LargestJsonInput bytes; one more means the input is refused unread.
bool ReadText(const std::string& path, const std::string& source, std::string& text,
              std::ostream& err) {
    std::ifstream file;
    if (path != "-") file.open(path, std::ios::binary);
    std::istream& in = path == "-" ? std::cin : file;
    if (!in) {
        err << "Cannot read " << path << ".\n";
        return false;
    }
    text.resize(LargestJsonInput + 1);
    in.read(text.data(), static_cast<std::streamsize>(text.size()));
    text.resize(static_cast<std::size_t>(in.gcount()));
    if (in.bad()) {
        err << "Cannot read " << path << ".\n";
        return false;
    }
    if (text.size() > LargestJsonInput) {
        err << source << " is larger than the 64 MiB that import reads; nothing was written.\n";
        return false;
    }
    return true;
}

// The parser's own text without its "[json.exception...] " tag.
std::string ParserReason(const std::exception& error) {
    std::string reason = error.what();
    if (reason.starts_with("[json.exception.")) {
        const auto end = reason.find("] ");
        if (end != std::string::npos) reason.erase(0, end + 2);
    }
    return reason;
}

}  // namespace

int RunInfo(const std::string& path, std::ostream& out, std::ostream& err) {
    CGastrologDoc doc;
    if (!LoadDiary(doc, path, err)) return Failure;
    WriteDiaryInfo(doc, out);
    return Success;
}

int RunExport(const std::string& path, ExportFormat format, std::ostream& out, std::ostream& err) {
    CGastrologDoc doc;
    if (!LoadDiary(doc, path, err)) return Failure;
    out << DiaryExportText(doc, format);
    return Success;
}

int RunImport(const std::string& jsonPath, const std::string& outputPath, std::ostream& out,
              std::ostream& err) {
    const std::string source = jsonPath == "-" ? "standard input" : jsonPath;
    std::string text;
    if (!ReadText(jsonPath, source, text, err)) return Failure;
    Json json;
    try {
        json = Json::parse(text);
    } catch (const Json::exception& error) {  // not JSON, or a number out of range (1e400)
        err << source << " is not valid JSON: " << ParserReason(error)
            << "; nothing was written.\n";
        return Failure;
    } catch (const std::bad_alloc&) {
        err << source << " is too large to import; nothing was written.\n";
        return Failure;
    }
    CGastrologDoc doc;
    if (const auto refusal = DiaryFromJson(json, doc)) {
        err << source << ": " << *refusal << "; nothing was written.\n";
        return Failure;
    }
    if (!SaveDiary(doc, outputPath, err)) return Failure;
    out << "Wrote " << outputPath << ".\n";
    return Success;
}

int RunTrain(const std::string& path, const std::string& outputPath, std::ostream& out,
             std::ostream& err) {
    CGastrologDoc doc;
    if (!LoadDiary(doc, path, err)) return Failure;
    TrainNetwork(doc);
    const std::string& target = outputPath.empty() ? path : outputPath;
    if (!SaveDiary(doc, target, err)) return Failure;
    out << "Trained the connections and saved " << target << ".\n";
    return Success;
}

int RunLists(const std::string& path, int unclassifiedAction, bool json, std::ostream& out,
             std::ostream& err) {
    CGastrologDoc doc;
    if (!LoadDiary(doc, path, err)) return Failure;
    GeneratedLists lists = GenerateLists(doc, unclassifiedAction);
    const double baseline = lists.baseline;
    doc.SetGeneratedLists(std::move(lists));
    if (json)
        out << ListsToJson(doc, baseline).dump(2) << '\n';
    else
        WriteListsText(doc, baseline, out);
    return Success;
}

int RunRelate(const std::string& path, bool json, std::ostream& out, std::ostream& err) {
    CGastrologDoc doc;
    if (!LoadDiary(doc, path, err)) return Failure;
    doc.SetRelationships(ComputeRelationships(doc));
    if (json)
        out << RelationshipsToJson(doc).dump(2) << '\n';
    else
        WriteRelationshipsText(doc, out);
    return Success;
}

int RunPage(const std::string& path, const PageOptions& options, std::ostream& out,
            std::ostream& err) {
    CGastrologDoc doc;
    if (!LoadDiary(doc, path, err)) return Failure;
    doc.SetPathName(path);  // a diary without a file shows only the new-user guidance
    if (options.generateLists) OnGenerateCurrentLists(doc);
    if (options.allSections) {
        doc.ShowSection(command::ViewFoods, true);
        doc.ShowSection(command::ViewHistory, true);
    }
    const std::pair<const std::string&, PictureFormat> pictures[] = {
        {options.svgPath, PictureFormat::Svg},
        {options.pdfPath, PictureFormat::Pdf},
        {options.pngPath, PictureFormat::Png}};
    for (const auto& [picturePath, format] : pictures) {
        if (picturePath.empty()) continue;
        std::string failure;
        const std::string bytes = DrawPagePicture(doc, format, failure);
        if (failure.empty()) failure = WriteBytesToFile(picturePath, bytes);
        if (!failure.empty()) {
            err << failure << '\n';
            return Failure;
        }
        out << "Wrote " << picturePath << ".\n";
    }
    return Success;
}

int RunReport(const std::string& path, const std::string& pdfPath, PaperSize paper,
              std::ostream& out, std::ostream& err) {
    CGastrologDoc doc;
    if (!LoadDiary(doc, path, err)) return Failure;
    std::string failure;
    const std::string name = file_names::NameOf(path);
    const std::string bytes = MakeReport(doc, name, paper, 0, failure);
    if (failure.empty()) failure = WriteBytesToFile(pdfPath, bytes);
    if (!failure.empty()) {
        err << failure << '\n';
        return Failure;
    }
    out << "Wrote " << pdfPath << ".\n";
    return Success;
}

int RunSimulate(const SimulationOptions& options, const std::string& outputPath, std::ostream& out,
                std::ostream& err) {
    if (const std::string problem = CheckSimulationOptions(options); !problem.empty()) {
        err << problem << '\n';
        return Failure;
    }
    DiarySimulation simulation(options);
    if (options.noLinks)
        out << "No food does anything in this diary: the symptoms follow a diet other than the "
               "one recorded.\n";
    else
        WritePlantedTriggers(simulation.Triggers(), out);
    if (const std::string failure = simulation.Run(); !failure.empty()) {
        err << "The simulation stopped: " << failure << '\n';
        return Failure;
    }
    CGastrologDoc& doc = simulation.Doc();
    if (!SaveDiary(doc, outputPath, err)) return Failure;
    constexpr std::string_view dateFormat = calendar::DateFormat;
    out << "\nSimulated " << options.days << (options.days == 1 ? " day" : " days") << " from "
        << calendar::Format(simulation.FirstDay(), dateFormat) << " to "
        << calendar::Format(simulation.LastDay(), dateFormat) << " and saved " << outputPath
        << ".\n\n";
    doc.SetRelationships(ComputeRelationships(doc));
    WriteTriggerLanding(doc, simulation.Triggers(), out);
    return Success;
}

int RunEvidence(const std::string& path, const EvidenceCommandOptions& options, std::ostream& out,
                std::ostream& err) {
    CGastrologDoc doc;
    if (!LoadDiary(doc, path, err)) return Failure;
    EvidenceReportOptions report;
    report.all = options.all;
    if (!options.symptom.empty()) {
        report.symptom = FindSymptom(doc, options.symptom);
        if (report.symptom < 0) {
            err << path << ": no symptom is named \"" << options.symptom << "\".\n";
            return Failure;
        }
    }
    const EvidenceReading reading = ReadEvidence(doc);
    if (options.json)
        out << EvidenceToJson(doc, reading, report).dump(2) << '\n';
    else
        WriteEvidenceText(doc, reading, report, out);
    return Success;
}

int RunAssess(const AssessmentOptions& options, std::ostream& out, std::ostream& err) {
    Assessment assessment;
    if (const std::string failure = RunAssessment(options, assessment); !failure.empty()) {
        err << failure << '\n';
        return Failure;
    }
    WriteAssessment(options, assessment, out);
    return Success;
}

int RunBackups(const std::string& path, std::ostream& out, std::ostream& err) {
    const std::string root = backups::DefaultRootFolder();
    if (root.empty()) {
        err << "Neither XDG_DATA_HOME nor HOME is set, so there is no backup folder.\n";
        return Failure;
    }
    WriteBackupList(root, path, out);
    return Success;
}
