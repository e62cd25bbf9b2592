#include "cli/Commands.h"

#include <sys/stat.h>

#include <fstream>
#include <iostream>
#include <iterator>
#include <new>
#include <sstream>
#include <vector>

#include "cli/Assessment.h"
#include "cli/BackupsReport.h"
#include "cli/EvidenceAssessment.h"
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
#include "diary/OutputFile.h"
#include "engine/EngineCommands.h"
#include "engine/ListGeneration.h"
#include "engine/Network.h"
#include "engine/Relationships.h"
#include "exchange/CsvExport.h"
#include "exchange/JsonExport.h"
#include "exchange/JsonImport.h"
#include "exchange/JsonLimits.h"
#include "page/PagePicture.h"
#include "page/ReportFile.h"

namespace {

constexpr int Success = 0;
constexpr int Failure = 1;
constexpr int UsageError = 2;

// A message that does not say which file it is about gets the path in front.
void ReportFileProblem(const std::string& path, const FileResult& result, std::ostream& err) {
    if (!result.NamesFile()) err << path << ": ";
    err << result.Message() << '\n';
}

bool LoadDiary(CGastrologDoc& doc, const std::string& path, std::ostream& err) {
    const FileResult result = doc.ReadFile(path);
    if (result.Succeeded()) {
        doc.LoadHistory(path);
        if (const std::string notice = doc.TakeHistoryNotice(); !notice.empty())
            err << notice << '\n';
        return true;
    }
    ReportFileProblem(path, result, err);
    return false;
}

// Four times the largest diary file the reader accepts: the JSON of any readable diary fits,
// and no input can make the parser exhaust the memory.
constexpr std::size_t LargestJsonInput = 64 * 1024 * 1024;

// Reads at most LargestJsonInput bytes; one more means the input is refused. The text grows
// with what is read, so a small input takes little memory.
FileResult ReadText(const std::string& path, const std::string& source, std::string& text) {
    std::ifstream file;
    if (path != "-") file.open(path, std::ios::binary);
    std::istream& in = path == "-" ? std::cin : file;
    if (!in) return {FileResult::Code::Failed, "Cannot read " + path + "."};
    std::vector<char> chunk(64 * 1024);
    while (in.read(chunk.data(), static_cast<std::streamsize>(chunk.size())) || in.gcount() > 0) {
        const auto count = static_cast<std::size_t>(in.gcount());
        if (text.size() + count > LargestJsonInput)
            return {FileResult::Code::TooLarge,
                    source + " is larger than the 64 MiB that import reads; nothing was written."};
        text.append(chunk.data(), count);
    }
    if (in.bad()) return {FileResult::Code::Failed, "Cannot read " + path + "."};
    return FileResult::Success();
}

// Writes an output made from the diary at `diaryPath` and says so; false after a message.
bool WriteOutput(const std::string& path, const std::string& bytes, const std::string& diaryPath,
                 std::ostream& out, std::ostream& err) {
    const FileResult result = output_file::Write(path, bytes, diaryPath);
    if (!result.Message().empty()) ReportFileProblem(path, result, err);
    if (!result.Succeeded()) return false;
    out << "Wrote " << path << ".\n";
    return true;
}

bool CheckOutput(const std::string& path, const std::string& diaryPath, std::ostream& err) {
    const FileResult check = output_file::CheckTarget(path, diaryPath);
    if (!check.IsOk()) ReportFileProblem(path, check, err);
    return check.IsOk();
}

// A diary written by import or simulate replaces another diary only when asked to; the file it
// is made from (import's JSON) never.
FileResult CheckDiaryTarget(const std::string& path, const std::string& sourcePath, bool force) {
    struct stat target {};
    struct stat source {};
    if (::stat(path.c_str(), &target) != 0) return FileResult::Success();
    if (!sourcePath.empty() && sourcePath != "-" && ::stat(sourcePath.c_str(), &source) == 0 &&
        source.st_dev == target.st_dev && source.st_ino == target.st_ino)
        return {FileResult::Code::Invalid,
                path + " is the file being imported; choose another name for the diary."};
    if (force || !output_file::IsDiaryFile(path)) return FileResult::Success();
    return {FileResult::Code::IsDiary,
            path +
                " is a Gastrolog diary; add --force to replace it (a daily copy of it is kept "
                "first)."};
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

// Parses the text (and lets it go); a failure's message says what the source is not.
Result ParseJson(std::string& text, const std::string& source, Json& json) {
    try {
        json = Json::parse(text);
        // The parsed form is all that is needed now.
        std::string().swap(text);
    } catch (const Json::exception& error) {  // not JSON, or a number out of range (1e400)
        return {Result::Code::NotJson, source + " is not valid JSON: " + ParserReason(error)};
    } catch (const std::bad_alloc&) {
        return {Result::Code::TooLarge, source + " is too large to import"};
    }
    return Result::Success();
}

// Prints a failure's message on its own line; false after a failure.
bool Reported(const Result& result, std::ostream& err) {
    if (!result.IsOk()) err << result.Message() << '\n';
    return result.IsOk();
}

}  // namespace

int RunInfo(const std::string& path, std::ostream& out, std::ostream& err) {
    CGastrologDoc doc;
    if (!LoadDiary(doc, path, err)) return Failure;
    WriteDiaryInfo(doc, out);
    return Success;
}

int RunExport(const std::string& path, ExportFormat format, const std::string& outputPath,
              std::ostream& out, std::ostream& err) {
    if (!outputPath.empty() && !CheckOutput(outputPath, path, err)) return Failure;
    CGastrologDoc doc;
    if (!LoadDiary(doc, path, err)) return Failure;
    if (outputPath.empty()) {
        out << DiaryExportText(doc, format);
        return Success;
    }
    return WriteOutput(outputPath, DiaryExportText(doc, format), path, out, err) ? Success
                                                                                 : Failure;
}

int RunImport(const std::string& jsonPath, const std::string& outputPath, std::ostream& out,
              std::ostream& err, const DiarySaving& saving) {
    if (!Reported(MayWriteDiary(outputPath, saving), err)) return Failure;
    if (!Reported(CheckDiaryTarget(outputPath, jsonPath, saving.force), err)) return Failure;
    const std::string source = jsonPath == "-" ? "standard input" : jsonPath;
    std::string text;
    if (!Reported(ReadText(jsonPath, source, text), err)) return Failure;
    Json json;
    Result read = json_limits::CheckBeforeParsing(text, source);
    if (read.IsOk()) read = ParseJson(text, source, json);
    if (!read.IsOk()) {
        err << read.Message() << "; nothing was written.\n";
        return Failure;
    }
    CGastrologDoc doc;
    if (const Result refusal = DiaryFromJson(json, doc); !refusal.IsOk()) {
        err << source << ": " << refusal.Message() << "; nothing was written.\n";
        return Failure;
    }
    if (!SaveDiaryHoldingLock(doc, outputPath, saving, err)) return Failure;
    out << "Wrote " << outputPath << ".\n";
    return Success;
}

int RunTrain(const std::string& path, const std::string& outputPath, std::ostream& out,
             std::ostream& err, const DiarySaving& saving) {
    const std::string& target = outputPath.empty() ? path : outputPath;
    if (!Reported(MayWriteDiary(target, saving), err)) return Failure;
    CGastrologDoc doc;
    if (!LoadDiary(doc, path, err)) return Failure;
    TrainNetwork(doc);
    if (!SaveDiaryHoldingLock(doc, target, saving, err)) return Failure;
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
    for (const std::string* picturePath : {&options.svgPath, &options.pdfPath, &options.pngPath})
        if (!picturePath->empty() && !CheckOutput(*picturePath, path, err)) return Failure;
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
    // Every picture is drawn before any is written, so a refusal leaves no file behind.
    std::vector<std::pair<std::string, std::string>> drawn;
    for (const auto& [picturePath, format] : pictures) {
        if (picturePath.empty()) continue;
        std::string bytes;
        if (!Reported(DrawPagePicture(doc, format, bytes), err)) return Failure;
        drawn.emplace_back(picturePath, std::move(bytes));
    }
    for (const auto& [picturePath, bytes] : drawn)
        if (!WriteOutput(picturePath, bytes, path, out, err)) return Failure;
    return Success;
}

int RunReport(const std::string& path, const std::string& pdfPath, PaperSize paper,
              std::ostream& out, std::ostream& err, const ReportPeriod& period) {
    if (!CheckOutput(pdfPath, path, err)) return Failure;
    CGastrologDoc doc;
    if (!LoadDiary(doc, path, err)) return Failure;
    const std::string name = file_names::NameOf(path);
    std::string bytes;
    if (!Reported(MakeReport(doc, name, paper, 0, bytes, period), err)) return Failure;
    return WriteOutput(pdfPath, bytes, path, out, err) ? Success : Failure;
}

int RunSimulate(const SimulationOptions& options, const std::string& outputPath, std::ostream& out,
                std::ostream& err, const DiarySaving& saving) {
    if (!Reported(CheckSimulationOptions(options), err)) return UsageError;
    if (!Reported(MayWriteDiary(outputPath, saving), err)) return Failure;
    if (!Reported(CheckDiaryTarget(outputPath, {}, saving.force), err)) return Failure;
    DiarySimulation simulation(options);
    if (options.noLinks)
        out << "No food does anything in this diary: the symptoms follow a diet other than the "
               "one recorded.\n";
    else
        WritePlantedTriggers(simulation.Triggers(), out);
    if (const Result failure = simulation.Run(); !failure.IsOk()) {
        err << "The simulation stopped: " << failure.Message() << '\n';
        return Failure;
    }
    CGastrologDoc& doc = simulation.Doc();
    if (!SaveDiaryHoldingLock(doc, outputPath, saving, err)) return Failure;
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
    // A choice the reading cannot take is the arguments' fault, whatever the diary holds.
    EvidenceOptions evidence;
    if (const Result problem = ReadEvidenceChoice(options.choice, evidence); !problem.IsOk()) {
        err << problem.Message() << ".\n";
        return UsageError;
    }
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
    const EvidenceReading reading = ReadEvidence(doc, evidence);
    if (options.json)
        out << EvidenceToJson(doc, reading, report).dump(2) << '\n';
    else
        WriteEvidenceText(doc, reading, report, out);
    return Success;
}

int RunEvidenceAssess(const EvidenceAssessmentOptions& options, std::ostream& out,
                      std::ostream& err) {
    EvidenceAssessment assessment;
    if (const Result failure = RunEvidenceAssessment(options, assessment); !failure.IsOk()) {
        err << failure.Message() << ".\n";
        return Failure;
    }
    WriteEvidenceAssessment(assessment, out);
    return Success;
}

int RunAssess(const AssessmentOptions& options, std::ostream& out, std::ostream& err) {
    if (!Reported(CheckAssessmentOptions(options), err)) return UsageError;
    Assessment assessment;
    if (!Reported(RunAssessment(options, assessment), err)) return Failure;
    WriteAssessment(options, assessment, out);
    return Success;
}

int RunBackups(const std::string& path, std::ostream& out, std::ostream& err) {
    const std::string root = backups::DefaultRootFolder();
    if (root.empty()) {
        err << "Neither XDG_DATA_HOME nor HOME is set, so there is no backup folder.\n";
        return Failure;
    }
    WriteBackupList(root, path, KeptBackupDays({}), out);
    return Success;
}
