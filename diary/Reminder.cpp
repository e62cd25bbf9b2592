#include "diary/Reminder.h"

#include <algorithm>
#include <cstdlib>

#include "diary/DiaryConstants.h"
#include "diary/GastrologDoc.h"
#include "diary/LocalTime.h"

namespace reminder {

namespace {

std::string DaysText(long days) {
    return std::to_string(days) + (days == 1 ? " day" : " days");
}

bool IsRated(char code) {
    return code == diary::Better || code == diary::Worse;
}

bool Set(const char* name) {
    const char* value = std::getenv(name);
    return value && *value;
}

}  // namespace

Decision Decide(const Facts& facts) {
    Decision decision;
    if (facts.diaryPath.empty()) {
        decision.reason = "No diary to remind of: none has been opened in Gastrolog yet.";
        return decision;
    }
    if (!facts.diaryRead) {
        decision.reason = "The diary cannot be read: " + facts.readProblem;
        return decision;
    }
    if (facts.daysBehind >= 1)
        decision.reason = "The diary is " + DaysText(facts.daysBehind) +
                          " behind: today's day has not been started yet.";
    else if (!facts.dayEntered)
        decision.reason = "Today has no rating and no food yet.";
    else {
        decision.reason = "Today's entries are in.";
        return decision;
    }
    decision.wanted = true;
    if (!facts.graphicalSession) {
        decision.reason += " There is no graphical session to show a notification in.";
        return decision;
    }
    decision.notify = true;
    return decision;
}

void ReadDiaryState(const CGastrologDoc& diary, Facts& facts) {
    facts.daysBehind = calendar::DaysBetween(diary.LastUpdate(), diary.GetEffectiveNow());
    const auto rated =
        std::any_of(diary.Symptoms().begin(), diary.Symptoms().end(), [](const CSymptom& symptom) {
            return !symptom.m_history.empty() && IsRated(symptom.m_history.back());
        });
    const auto eaten =
        std::any_of(diary.Foods().begin(), diary.Foods().end(), [](const CFood& food) {
            return !food.m_history.empty() && diary::IsEaten(food.m_history.back());
        });
    facts.dayEntered = rated || eaten;
}

std::string Summary(std::string_view diaryName) {
    return "Time for today's entries in " + std::string(diaryName);
}

std::string DiaryName(std::string_view path) {
    const auto slash = path.find_last_of('/');
    return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

bool HasGraphicalSession() {
    return Set("DISPLAY") || Set("WAYLAND_DISPLAY");
}

}  // namespace reminder
