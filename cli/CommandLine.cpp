#include "cli/CommandLine.h"

#include <CLI/CLI.hpp>
#include <functional>
#include <map>
#include <ostream>

#include "GastrologVersion.h"
#include "cli/Assessment.h"
#include "cli/Commands.h"
#include "cli/EvidenceAssessment.h"
#include "cli/RemindCommand.h"
#include "diary/Backups.h"
#include "diary/LivedDays.h"

namespace {

constexpr int UsageError = 2;

struct Arguments {
    std::string file;
    std::string output;
    std::string format = "json";
    int unclassified = 0;
    bool json = false;
    SimulationOptions simulation;
    PageOptions page;
    std::string paper = "a4";
    std::string from;  // the report's period, YYYY-MM-DD
    std::string to;
    EvidenceCommandOptions evidence;
    AssessmentOptions assessment;
    DiarySaving saving;
    RemindOptions remind;
    std::string evidenceLengths;
};

using Action = std::function<int(const Arguments&, std::ostream&, std::ostream&)>;

// The options of the commands that save a diary: how many copies to keep, and --force.
void AddSavingOptions(CLI::App& command, Arguments& arguments) {
    command
        .add_option("--backup-days", arguments.saving.backupDays,
                    "Daily copies to keep of the diary replaced (0 keeps none); the desktop's "
                    "Daily Backups setting by default")
        ->check(CLI::Range(0, backups::MostKeptDays));
    command.add_flag(
        "--force", arguments.saving.force,
        "Replace an existing diary at -o (its daily copy is kept first), or write while a "
        "Gastrolog window has the diary open");
}

void AddInfo(CLI::App& app, Arguments& arguments, std::map<CLI::App*, Action>& actions) {
    auto* command = app.add_subcommand(
        "info",
        "Days recorded, last update and diary day, numbers of foods and symptoms, symptom status");
    command->add_option("FILE", arguments.file, "The diary (.glg)")->required();
    actions[command] = [](const Arguments& a, std::ostream& out, std::ostream& err) {
        return RunInfo(a.file, out, err);
    };
}

void AddBackups(CLI::App& app, Arguments& arguments, std::map<CLI::App*, Action>& actions) {
    auto* command = app.add_subcommand(
        "backups", "List the daily copies kept of a diary (date, days, foods, symptoms)");
    command->add_option("FILE", arguments.file, "The diary (.glg); it need not be readable")
        ->required();
    actions[command] = [](const Arguments& a, std::ostream& out, std::ostream& err) {
        return RunBackups(a.file, out, err);
    };
}

void AddExport(CLI::App& app, Arguments& arguments, std::map<CLI::App*, Action>& actions) {
    auto* command = app.add_subcommand(
        "export",
        "Write the diary as JSON (every stored member) or CSV, to standard output or a file");
    command->add_option("FILE", arguments.file, "The diary (.glg)")->required();
    command->add_option("--format", arguments.format, "json (the default) or csv")
        ->transform(CLI::IsMember({"json", "csv"}, CLI::ignore_case));
    command->add_option("-o,--output", arguments.output,
                        "The file to write instead of standard output (never a diary)");
    actions[command] = [](const Arguments& a, std::ostream& out, std::ostream& err) {
        return RunExport(a.file, a.format == "csv" ? ExportFormat::Csv : ExportFormat::Json,
                         a.output, out, err);
    };
}

void AddImport(CLI::App& app, Arguments& arguments, std::map<CLI::App*, Action>& actions) {
    auto* command = app.add_subcommand(
        "import",
        "Write a diary file from exported JSON (over an existing diary only with --force)");
    command->add_option("JSON", arguments.file, "The JSON file, or - for standard input")
        ->required();
    command->add_option("-o,--output", arguments.output, "The diary file to write")->required();
    AddSavingOptions(*command, arguments);
    actions[command] = [](const Arguments& a, std::ostream& out, std::ostream& err) {
        return RunImport(a.file, a.output, out, err, a.saving);
    };
}

void AddTrain(CLI::App& app, Arguments& arguments, std::map<CLI::App*, Action>& actions) {
    auto* command = app.add_subcommand(
        "train", "Update Connections on the stored history and save (in place unless -o)");
    command->add_option("FILE", arguments.file, "The diary (.glg)")->required();
    command->add_option("-o,--output", arguments.output, "Save here instead");
    AddSavingOptions(*command, arguments);
    actions[command] = [](const Arguments& a, std::ostream& out, std::ostream& err) {
        return RunTrain(a.file, a.output, out, err, a.saving);
    };
}

void AddLists(CLI::App& app, Arguments& arguments, std::map<CLI::App*, Action>& actions) {
    auto* command = app.add_subcommand(
        "lists", "Generate Current Lists with the stored weights (the file is not changed)");
    command->add_option("FILE", arguments.file, "The diary (.glg)")->required();
    command
        ->add_option("--unclassified", arguments.unclassified,
                     "Foods not eaten in the last 49 days go to 0 inclusions (the default), "
                     "1 exclusions, 2 a list of their own")
        ->check(CLI::Range(0, 2));
    command->add_flag("--json", arguments.json, "Write JSON");
    actions[command] = [](const Arguments& a, std::ostream& out, std::ostream& err) {
        return RunLists(a.file, a.unclassified, a.json, out, err);
    };
}

void AddRelate(CLI::App& app, Arguments& arguments, std::map<CLI::App*, Action>& actions) {
    auto* command = app.add_subcommand(
        "relate", "Relate Foods to Symptoms: each symptom's best and worst food");
    command->add_option("FILE", arguments.file, "The diary (.glg)")->required();
    command->add_flag("--json", arguments.json, "Write JSON");
    actions[command] = [](const Arguments& a, std::ostream& out, std::ostream& err) {
        return RunRelate(a.file, a.json, out, err);
    };
}

void AddSimulate(CLI::App& app, Arguments& arguments, std::map<CLI::App*, Action>& actions) {
    auto* command = app.add_subcommand(
        "simulate",
        "Make a realistic diary by living through the daily cycle day by day (over an existing "
        "diary only with --force)");
    SimulationOptions& options = arguments.simulation;
    command->add_option("--days", options.days, "Days to live through")->required();
    command->add_option("--seed", options.seed, "Seed of the random choices")->required();
    command->add_option("--foods", options.foods, "Foods in the diet")->capture_default_str();
    command->add_option("--symptoms", options.symptoms, "Symptoms followed")->capture_default_str();
    command->add_option("--start", options.startDate, "The first day, YYYY-MM-DD")
        ->capture_default_str();
    command->add_flag("--train-last-day-only", options.trainLastDayOnly,
                      "Update Connections on the first and last day only (same diary, faster)");
    command->add_flag("--no-links", options.noLinks,
                      "No food does anything: the symptoms follow a diet other than the one "
                      "recorded");
    command->add_option("-o,--output", arguments.output, "The diary file to write")->required();
    AddSavingOptions(*command, arguments);
    actions[command] = [](const Arguments& a, std::ostream& out, std::ostream& err) {
        return RunSimulate(a.simulation, a.output, out, err, a.saving);
    };
}

void AddPage(CLI::App& app, Arguments& arguments, std::map<CLI::App*, Action>& actions) {
    auto* command =
        app.add_subcommand("page", "Draw the main window's page as an SVG, PDF or PNG picture");
    command->add_option("FILE", arguments.file, "The diary (.glg)")->required();
    auto* svg = command->add_option("--svg", arguments.page.svgPath, "The SVG file to write");
    auto* pdf = command->add_option("--pdf", arguments.page.pdfPath, "The PDF file to write");
    auto* png = command->add_option("--png", arguments.page.pngPath,
                                    "The PNG file to write (at most 32767 pixels high; a longer "
                                    "page needs --pdf or --svg)");
    auto* pictures = command->add_option_group("picture", "At least one picture to write");
    pictures->add_options(svg, pdf, png);
    // No upper bound: CLI11's text for a range ("of the follow options") reads wrongly.
    pictures->require_option(1, 0);
    command->add_flag("--lists", arguments.page.generateLists,
                      "Generate Current Lists first (as opened, the lists are empty)");
    command->add_flag("--all-sections", arguments.page.allSections,
                      "Show the foods and the symptom histories too");
    actions[command] = [](const Arguments& a, std::ostream& out, std::ostream& err) {
        return RunPage(a.file, a.page, out, err);
    };
}

// A date as YYYY-MM-DD that exists in the calendar.
const CLI::Validator CalendarDate(
    [](std::string& text) {
        lived::Date date = 0;
        return lived::ParseDate(text, date) ? std::string()
                                            : "\"" + text + "\" is not a date as YYYY-MM-DD";
    },
    "YYYY-MM-DD");

ReportPeriod PeriodOf(const Arguments& arguments) {
    ReportPeriod period;
    lived::Date date = 0;
    if (lived::ParseDate(arguments.from, date)) period.from = date;
    if (lived::ParseDate(arguments.to, date)) period.to = date;
    return period;
}

void AddReport(CLI::App& app, Arguments& arguments, std::map<CLI::App*, Action>& actions) {
    auto* command = app.add_subcommand(
        "report", "Write a PDF report for the doctor: period, symptoms, foods and the evidence");
    command->add_option("FILE", arguments.file, "The diary (.glg)")->required();
    command->add_option("-o,--output", arguments.output, "The PDF file to write (never a diary)")
        ->required();
    command->add_option("--paper", arguments.paper, "a4 (the default) or letter")
        ->transform(CLI::IsMember({"a4", "letter"}, CLI::ignore_case));
    command->add_option("--from", arguments.from, "The report's first day (every day by default)")
        ->check(CalendarDate);
    command->add_option("--to", arguments.to, "The report's last day (to the last by default)")
        ->check(CalendarDate);
    actions[command] = [](const Arguments& a, std::ostream& out, std::ostream& err) {
        const ReportPeriod period = PeriodOf(a);
        if (period.from && period.to && *period.from > *period.to) {
            err << "--from " << a.from << " is after --to " << a.to << ".\n";
            return UsageError;
        }
        return RunReport(a.file, a.output, a.paper == "letter" ? PaperSize::Letter : PaperSize::A4,
                         out, err, period);
    };
}

// The period, the delays and the rule, shared by evidence and report.
void AddEvidenceChoice(CLI::App& command, EvidenceChoice& choice) {
    command.add_option("--from", choice.from, "The period's first day, YYYY-MM-DD");
    command.add_option("--to", choice.to, "The period's last day, YYYY-MM-DD");
    command.add_option("--days", choice.days, "Only the last N days");
    command
        .add_option("--delays", choice.delays,
                    "Days from a food to the symptom to judge, e.g. 0-3 (default 1-1: the "
                    "day after)")
        ->capture_default_str();
    command.add_flag("--plain", choice.plain,
                     "Compare with all other days (the plain count, for checking by hand)");
}

void AddEvidence(CLI::App& app, Arguments& arguments, std::map<CLI::App*, Action>& actions) {
    auto* command = app.add_subcommand(
        "evidence",
        "The day-after tally: how often each symptom was worse or better the day "
        "after each food, judged against the other days");
    command->add_option("FILE", arguments.file, "The diary (.glg)")->required();
    command->add_option("--symptom", arguments.evidence.symptom, "Only this symptom");
    command->add_flag("--all", arguments.evidence.all,
                      "Every food, not only those with strong or some evidence");
    command->add_flag("--json", arguments.evidence.json,
                      "Write JSON (every food, symptom and direction)");
    AddEvidenceChoice(*command, arguments.evidence.choice);
    actions[command] = [](const Arguments& a, std::ostream& out, std::ostream& err) {
        return RunEvidence(a.file, a.evidence, out, err);
    };
}

void AddAssess(CLI::App& app, Arguments& arguments, std::map<CLI::App*, Action>& actions) {
    auto* command = app.add_subcommand(
        "assess",
        "How far each reading can be trusted, on simulated diaries with and without "
        "links");
    AssessmentOptions& options = arguments.assessment;
    command->add_option("--seeds", options.seeds, "Diaries, made with seeds 1 to N")->required();
    command->add_option("--days", options.days, "Days each diary lives")->capture_default_str();
    command->add_option("--foods", options.foods, "Foods in each diet")->capture_default_str();
    command->add_option("--symptoms", options.symptoms, "Symptoms followed")->capture_default_str();
    command->add_option("--evidence-days", arguments.evidenceLengths,
                        "Measure only the evidence, on simulated lived days of these lengths "
                        "(e.g. 50/180/365; 40 foods unless --foods is given)");
    actions[command] = [command](const Arguments& a, std::ostream& out, std::ostream& err) {
        if (a.evidenceLengths.empty()) return RunAssess(a.assessment, out, err);
        EvidenceAssessmentOptions evidence;
        evidence.seeds = a.assessment.seeds;
        if (command->count("--foods") > 0) evidence.foods = a.assessment.foods;
        evidence.symptoms = a.assessment.symptoms;
        if (!ParseAssessedLengths(a.evidenceLengths, evidence.lengths)) {
            err << "--evidence-days must be lengths in days like 50/180/365.\n";
            return 1;
        }
        return RunEvidenceAssess(evidence, out, err);
    };
}

void AddRemind(CLI::App& app, Arguments& arguments, std::map<CLI::App*, Action>& actions) {
    auto* command = app.add_subcommand(
        "remind",
        "The daily reminder: a desktop notification when today's entries are due, with an "
        "\"Open\" action");
    command->add_option("--diary", arguments.remind.diary,
                        "The diary (.glg); by default the one last opened in Gastrolog");
    command->add_flag("--dry-run", arguments.remind.dryRun,
                      "Say what would be done and why, and show nothing");
    actions[command] = [](const Arguments& a, std::ostream& out, std::ostream& err) {
        return RunRemind(a.remind, out, err);
    };
}

}  // namespace

int RunCommandLine(int argc, const char* const* argv, std::ostream& out, std::ostream& err) {
    CLI::App app{"gastrolog-cli: read, convert, train and simulate Gastrolog diaries"};
    app.name("gastrolog-cli");
    app.require_subcommand(1);
    app.set_version_flag("--version", "gastrolog-cli " GASTROLOG_VERSION);
    // Every command's options on one page; the manual page is made from it.
    app.set_help_all_flag("--help-all", "Print this help with every command's options and exit");
    Arguments arguments;
    std::map<CLI::App*, Action> actions;
    AddInfo(app, arguments, actions);
    AddExport(app, arguments, actions);
    AddImport(app, arguments, actions);
    AddTrain(app, arguments, actions);
    AddLists(app, arguments, actions);
    AddRelate(app, arguments, actions);
    AddSimulate(app, arguments, actions);
    AddPage(app, arguments, actions);
    AddReport(app, arguments, actions);
    AddBackups(app, arguments, actions);
    AddEvidence(app, arguments, actions);
    AddAssess(app, arguments, actions);
    AddRemind(app, arguments, actions);
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& error) {
        const int status = app.exit(error, out, err);
        return status == 0 ? 0 : UsageError;
    }
    for (const auto& [command, action] : actions)
        if (command->parsed()) return action(arguments, out, err);
    return UsageError;
}
