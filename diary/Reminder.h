#pragma once
// The daily reminder's decision: whether the diary the user keeps wants today's entries, and
// whether a notification can be shown. `gastrolog-cli remind` gathers the facts and prints the
// reason; the decision is made here, so that every case is tested without a desktop.

#include <string>
#include <string_view>

class CGastrologDoc;

namespace reminder {

// What is known when the reminder runs.
struct Facts {
    std::string diaryPath;    // empty: no diary was given and none was opened yet
    bool diaryRead = false;   // the file was read as a diary
    std::string readProblem;  // why it was not (UTF-8)
    long daysBehind = 0;      // calendar days from the diary's current day to today
    bool dayEntered = false;  // the current day holds a rating or a food
    bool graphicalSession = false;
};

struct Decision {
    bool notify = false;
    bool wanted = false;  // the diary wants today's entries (shown or not)
    std::string reason;   // one sentence for the user (UTF-8)
};

Decision Decide(const Facts& facts);

// The diary's part of the facts. A rating of "no change" is stored as an unrated day is, so
// only "better" or "worse" count as a rating here.
void ReadDiaryState(const CGastrologDoc& diary, Facts& facts);

// The notification's text for a diary of that file name: "Time for today's entries in NAME".
std::string Summary(std::string_view diaryName);

// The file name shown for a diary path (its last part).
std::string DiaryName(std::string_view path);

// A desktop to show a notification on: an X or Wayland display in the environment.
bool HasGraphicalSession();

}  // namespace reminder
