#include "cli/RemindCommand.h"

#include <ostream>

#include "cli/DesktopNotification.h"
#include "diary/GastrologDoc.h"
#include "diary/Reminder.h"
#include "diary/SettingsFile.h"

namespace {

// Long enough to answer after a meal; a notification that is still there later opens nothing.
constexpr std::chrono::hours AnswerWait{6};

std::string ChooseDiary(const RemindOptions& options, std::ostream& out) {
    if (!options.diary.empty()) {
        out << "Diary: " << options.diary << " (given with --diary)\n";
        return options.diary;
    }
    const std::string settingsPath = settings_file::DefaultPath();
    const std::vector<std::string> recent =
        settings_file::RecentFiles(settings_file::Read(settingsPath));
    if (!recent.empty()) {
        const std::string& diary = recent.front();
        out << "Diary: " << diary << " (the most recent in " << settingsPath << ")\n";
        return diary;
    }
    out << "Diary: none (" << (settingsPath.empty() ? "no settings file" : settingsPath)
        << " lists no recent diary)\n";
    return {};
}

reminder::Facts GatherFacts(const std::string& diaryPath) {
    reminder::Facts facts;
    facts.diaryPath = diaryPath;
    facts.graphicalSession = reminder::HasGraphicalSession();
    if (diaryPath.empty()) return facts;
    // The new-day hour is the desktop's setting.
    MemorySettings settings = settings_file::Read(settings_file::DefaultPath());
    DocumentPorts ports;
    ports.settings = &settings;
    CGastrologDoc diary(ports);
    const FileResult read = diary.ReadFile(diaryPath);
    facts.diaryRead = read.Succeeded();
    facts.readProblem = read.Message();
    if (facts.diaryRead) reminder::ReadDiaryState(diary, facts);
    return facts;
}

}  // namespace

int RunRemind(const RemindOptions& options, std::ostream& out, std::ostream& err) {
    const std::string diaryPath = ChooseDiary(options, out);
    const reminder::Decision decision = reminder::Decide(GatherFacts(diaryPath));
    out << decision.reason << '\n';
    if (!decision.notify) {
        out << "No notification.\n";
        return 0;
    }
    const ReminderNotification notification{reminder::Summary(reminder::DiaryName(diaryPath)),
                                            decision.reason, diaryPath};
    if (options.dryRun) {
        out << "Would show the notification \"" << notification.summary
            << "\" with the action \"Open\" (" << DesktopProgram << ' ' << diaryPath << ").\n";
        return 0;
    }
    out << "Showing the notification \"" << notification.summary << "\".\n" << std::flush;
    const NotificationResult result = ShowReminderNotification(notification, AnswerWait);
    if (result.outcome == NotificationResult::Outcome::Failed) {
        err << result.message << '\n';
        return 1;
    }
    out << result.message << '\n';
    return 0;
}
